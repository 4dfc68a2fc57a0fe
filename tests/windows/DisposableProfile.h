// The settings folder of the real user profile, emptied before and after each test. The
// tests change that profile, so they run only where scripts/run-windows-tests.sh says the
// profile is a throwaway one (a fresh Wine prefix): INKLINE_DISPOSABLE_PROFILE=1.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::filesystem::path applicationDataFolder() {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, FALSE);
  return path;
}

inline std::filesystem::path tarskFolder() { return applicationDataFolder() / "Tarsk"; }
inline std::filesystem::path settingsFile() { return tarskFolder() / "Vellum" / "Inkline.ini"; }

inline std::string settingsText() {
  std::ifstream in(settingsFile(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class DisposableProfile {
 public:
  DisposableProfile() { std::filesystem::remove_all(tarskFolder()); }
  ~DisposableProfile() {
    std::error_code ignored;
    std::filesystem::remove_all(tarskFolder(), ignored);
  }
  DisposableProfile(const DisposableProfile&) = delete;
  DisposableProfile& operator=(const DisposableProfile&) = delete;
};

// What the environment the script chose promises: "," or "." for the decimal separator, and
// whether the Windows user interface is Japanese.
inline std::string expectedDecimalSeparator() {
  const char* value = std::getenv("INKLINE_EXPECT_DECIMAL_SEPARATOR");
  return value != nullptr ? value : ".";
}
inline bool expectJapaneseUserInterface() {
  const char* value = std::getenv("INKLINE_EXPECT_JAPANESE_UI");
  return value != nullptr && std::string(value) == "1";
}
