// Where stored defaults live, and that restoring them removes only what the effect made.
#include <gtest/gtest.h>

#include <fstream>

#include "options/SettingsFile.h"
#include "support/TempAppData.h"

namespace {

namespace fs = std::filesystem;

std::string nativeForm(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

TEST(SettingsFile, PathIsBelowTheApplicationDataFolder) {
  TempAppData appData;
  char path[MAX_PATH];
  ASSERT_TRUE(settingsFilePath(path));
  EXPECT_EQ(std::string(path), appData.root().string() + "\\Tarsk\\Vellum\\Inkline.ini");
  EXPECT_FALSE(fs::exists(appData.settingsFolder()));  // building the path creates nothing
}

TEST(SettingsFile, APathThatDoesNotFitIsRefused) {
  TempAppData appData;
  const fs::path deep = appData.root() / std::string(230, 'd');
  fs::create_directories(deep);
  win32standin::setAppDataFolder(deep.string());
  char path[MAX_PATH];
  EXPECT_FALSE(settingsFilePath(path));
  EXPECT_STREQ(path, "");
}

TEST(SettingsFile, RestoreRemovesTheFileAndItsEmptyFoldersOnly) {
  TempAppData appData;
  char path[MAX_PATH];
  ASSERT_TRUE(settingsFilePath(path));
  createSettingsFolder(path);
  ASSERT_TRUE(fs::is_directory(appData.settingsFolder()));
  std::ofstream(nativeForm(path)) << "[Version=1.5]\r\nOpacity=50.000000\r\n";

  removeSettingsFile(path);
  EXPECT_FALSE(fs::exists(appData.root() / "Tarsk"));
  EXPECT_TRUE(fs::is_directory(appData.root()));  // never the application-data folder
}

TEST(SettingsFile, RestoreKeepsAFolderThatHoldsSomethingElse) {
  TempAppData appData;
  char path[MAX_PATH];
  ASSERT_TRUE(settingsFilePath(path));
  createSettingsFolder(path);
  fs::create_directories(appData.root() / "Tarsk" / "Quill");  // another product's folder
  std::ofstream(nativeForm(path)) << "[Version=1.5]\r\n";

  removeSettingsFile(path);
  EXPECT_FALSE(fs::exists(appData.settingsFolder()));
  EXPECT_TRUE(fs::is_directory(appData.root() / "Tarsk" / "Quill"));
}

}  // namespace
