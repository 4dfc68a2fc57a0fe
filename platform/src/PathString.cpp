#include <shlwapi.h>

namespace {
bool isSeparator(char c) { return c == '\\' || c == '/'; }
}  // namespace

BOOL WINAPI PathRemoveFileSpecA(LPSTR path) {
  if (path == nullptr) return FALSE;
  // Where to cut: the last separator, or just past a drive's "C:" / "C:\" so that the root stays.
  char* cut = path;
  for (char* p = path; *p != '\0'; ++p) {
    if (isSeparator(*p)) {
      cut = p;
    } else if (*p == ':') {
      if (isSeparator(p[1])) ++p;
      cut = p + 1;
    }
  }
  if (*cut == '\0') return FALSE;  // nothing after the root
  // "\a" and "\\server" keep their leading separator(s): the root of the current drive, a UNC prefix.
  const bool leadingRoot = (cut == path && isSeparator(*cut)) ||
                           (cut == path + 1 && isSeparator(*cut) && isSeparator(*path));
  if (leadingRoot) {
    if (cut[1] == '\0') return FALSE;  // the path is the root itself
    cut[1] = '\0';
    return TRUE;
  }
  *cut = '\0';
  return TRUE;
}
