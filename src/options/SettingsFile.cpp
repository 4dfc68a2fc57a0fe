#include "options/SettingsFile.h"

#include <mbstring.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>

namespace {

constexpr const char* kSettingsFolder = "\\Tarsk\\Vellum\\";
constexpr const char* kSettingsFileName = "Inkline.ini";

bool appDataFolder(char (&folder)[MAX_PATH]) {
  folder[0] = '\0';
  return SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, FALSE) != FALSE;
}

}  // namespace

bool settingsFilePath(char (&path)[MAX_PATH]) {
  path[0] = '\0';
  char folder[MAX_PATH];
  if (!appDataFolder(folder)) return false;
  if (std::strlen(folder) + std::strlen(kSettingsFolder) + std::strlen(kSettingsFileName) >= MAX_PATH) return false;
  std::strcpy(path, folder);
  std::strcat(path, kSettingsFolder);
  std::strcat(path, kSettingsFileName);
  return true;
}

void createSettingsFolder(const char* settingsPath) {
  char folder[MAX_PATH];
  std::strncpy(folder, settingsPath, MAX_PATH - 1);
  folder[MAX_PATH - 1] = '\0';
  PathRemoveFileSpecA(folder);
  SHCreateDirectoryExA(nullptr, folder, nullptr);
}

void removeSettingsFile(const char* settingsPath) {
  DeleteFileA(settingsPath);
  char appData[MAX_PATH];
  if (!appDataFolder(appData)) return;
  char folder[MAX_PATH];
  std::strncpy(folder, settingsPath, MAX_PATH - 1);
  folder[MAX_PATH - 1] = '\0';
  // First "Vellum", then "Tarsk"; stop at the application-data folder or at the first
  // folder that cannot go (it holds something else).
  while (PathRemoveFileSpecA(folder) && folder[0] != '\0') {
    if (_mbscmp(reinterpret_cast<const unsigned char*>(folder), reinterpret_cast<const unsigned char*>(appData)) == 0) {
      break;
    }
    if (!RemoveDirectoryA(folder)) break;
  }
}
