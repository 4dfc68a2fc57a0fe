#include "params/StoredDefaults.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

A_long readStoredInteger(const char* settingsPath, const char* key, A_long fallback) {
  return static_cast<A_long>(GetPrivateProfileIntA(kStoredDefaultsSection, key, fallback, settingsPath));
}

double readStoredDecimal(const char* settingsPath, const char* key, double fallback) {
  char fallbackText[128] = {};
  std::snprintf(fallbackText, sizeof fallbackText, "%f", fallback);
  char text[128] = {};
  GetPrivateProfileStringA(kStoredDefaultsSection, key, fallbackText, text, sizeof text, settingsPath);
  return std::atof(text);
}

void writeStoredInteger(const char* settingsPath, const char* key, A_long value) {
  char text[256] = {};
  std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  WritePrivateProfileStringA(kStoredDefaultsSection, key, text, settingsPath);
}

void writeStoredDecimal(const char* settingsPath, const char* key, double value) {
  char text[256] = {};
  std::snprintf(text, sizeof text, "%f", value);
  WritePrivateProfileStringA(kStoredDefaultsSection, key, text, settingsPath);
}

std::string componentKey(const char* name, const char* component) {
  char key[1024] = {};
  std::snprintf(key, sizeof key, "%s.%s", name, component);
  return key;
}
