// The settings file through the real profile and shell functions: where it lives, what a
// restore removes, and decimals in the user's locale.
#include <gtest/gtest.h>

#include <clocale>

#include "DisposableProfile.h"
#include "options/SettingsFile.h"
#include "params/StoredDefaults.h"

namespace {

namespace fs = std::filesystem;

TEST(WindowsSettingsFile, LivesBelowTheRoamingApplicationDataFolder) {
  DisposableProfile profile;
  char path[MAX_PATH];
  ASSERT_TRUE(settingsFilePath(path));
  EXPECT_EQ(fs::path(path), applicationDataFolder() / "Tarsk" / "Vellum" / "Inkline.ini");
  EXPECT_EQ(std::string(path).substr(applicationDataFolder().string().size()), "\\Tarsk\\Vellum\\Inkline.ini");
  EXPECT_FALSE(fs::exists(tarskFolder()));  // building the path creates nothing
}

TEST(WindowsSettingsFile, RestoreRemovesTheFileAndTheEmptiedFolders) {
  DisposableProfile profile;
  char path[MAX_PATH];
  ASSERT_TRUE(settingsFilePath(path));
  createSettingsFolder(path);
  ASSERT_TRUE(fs::is_directory(settingsFile().parent_path()));
  writeStoredInteger(path, "Loop", 1);
  ASSERT_TRUE(fs::exists(settingsFile()));

  removeSettingsFile(path);
  EXPECT_FALSE(fs::exists(tarskFolder()));
  EXPECT_TRUE(fs::is_directory(applicationDataFolder()));
}

TEST(WindowsSettingsFile, RestoreKeepsAFolderThatHoldsAnotherProduct) {
  DisposableProfile profile;
  char path[MAX_PATH];
  ASSERT_TRUE(settingsFilePath(path));
  createSettingsFolder(path);
  fs::create_directories(tarskFolder() / "Quill");
  writeStoredInteger(path, "Loop", 1);

  removeSettingsFile(path);
  EXPECT_FALSE(fs::exists(settingsFile().parent_path()));
  EXPECT_TRUE(fs::is_directory(tarskFolder() / "Quill"));
}

// The effect switches the C runtime to the user's locale at its first call; so does this.
TEST(WindowsSettingsFile, DecimalsUseTheUsersSeparator) {
  DisposableProfile profile;
  std::setlocale(LC_ALL, "");
  char path[MAX_PATH];
  ASSERT_TRUE(settingsFilePath(path));
  createSettingsFolder(path);
  writeStoredDecimal(path, "Thickness", 12.5);
  EXPECT_NE(settingsText().find("Thickness=12" + expectedDecimalSeparator() + "500000"), std::string::npos)
      << settingsText();
  EXPECT_EQ(readStoredDecimal(path, "Thickness", 0.0), 12.5);
  std::setlocale(LC_ALL, "C");
}

}  // namespace
