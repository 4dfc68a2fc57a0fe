#include <mbstring.h>

int _mbscmp(const unsigned char* a, const unsigned char* b) {
  if (a == nullptr || b == nullptr) return _NLSCMPERROR;
  for (; *a != 0 && *a == *b; ++a, ++b) {
  }
  if (*a == *b) return 0;
  return *a < *b ? -1 : 1;
}
