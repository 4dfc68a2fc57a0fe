// Folders and files in the Win32 stand-in: SHGetSpecialFolderPathA, SHCreateDirectoryExA,
// DeleteFileA, RemoveDirectoryA.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "support/TempFolder.h"
#include "win32standin/Environment.h"

namespace fs = std::filesystem;

namespace {

// Sets or clears an environment variable for one test and puts it back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

void touch(const fs::path& path) { std::ofstream(path) << "x"; }

// --- SHGetSpecialFolderPathA -------------------------------------------------------------

class PlatformAppDataTest : public ::testing::Test {
 protected:
  void TearDown() override { win32standin::setAppDataFolder(""); }

  std::optional<std::string> appData(BOOL create, int csidl = CSIDL_APPDATA) {
    char path[MAX_PATH];
    std::fill(std::begin(path), std::end(path), '#');
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, create)) {
      EXPECT_EQ(path[0], '\0');
      return std::nullopt;
    }
    return std::string(path);
  }

  TempFolder dir_;
};

TEST_F(PlatformAppDataTest, OverrideComesFirstAndIsCreatedOnRequest) {
  const ScopedEnv xdg("XDG_CONFIG_HOME", (dir_.str() + "/xdg").c_str());
  const std::string folder = dir_.str() + "/App Data";
  win32standin::setAppDataFolder(folder);
  EXPECT_EQ(appData(FALSE), std::nullopt);  // missing, and not to be created
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_EQ(appData(TRUE), folder);
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(appData(FALSE), folder);
}

TEST_F(PlatformAppDataTest, OverrideInWindowsFormIsMappedAndLosesItsTrailingSeparator) {
  win32standin::setAppDataFolder(dir_.str() + "\\Roaming\\");
  EXPECT_EQ(appData(TRUE), dir_.str() + "/Roaming");
  EXPECT_TRUE(fs::is_directory(dir_.path() / "Roaming"));
}

TEST_F(PlatformAppDataTest, XdgConfigHomeThenHome) {
  const std::string xdgFolder = dir_.str() + "/xdg";
  const std::string home = dir_.str() + "/home";
  const ScopedEnv homeEnv("HOME", home.c_str());
  {
    const ScopedEnv xdg("XDG_CONFIG_HOME", xdgFolder.c_str());
    EXPECT_EQ(appData(TRUE), xdgFolder);
  }
  {
    const ScopedEnv xdg("XDG_CONFIG_HOME", "relative/is/ignored");
    EXPECT_EQ(appData(TRUE), home + "/.config");
  }
  {
    const ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(appData(FALSE), home + "/.config");
    const ScopedEnv noHome("HOME", nullptr);
    EXPECT_EQ(appData(TRUE), std::nullopt);
  }
}

TEST_F(PlatformAppDataTest, FlagCreateCreatesAndDontVerifySkipsTheCheck) {
  const std::string folder = dir_.str() + "/flags";
  win32standin::setAppDataFolder(folder);
  EXPECT_EQ(appData(FALSE, CSIDL_APPDATA | CSIDL_FLAG_DONT_VERIFY), folder);
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_EQ(appData(FALSE, CSIDL_APPDATA | CSIDL_FLAG_CREATE), folder);
  EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(PlatformAppDataTest, OtherFoldersAndOverlongPathsFail) {
  win32standin::setAppDataFolder(dir_.str());
  for (int csidl : {0x0000, 0x0005, 0x001c, 0x0023, 0x0028}) {
    SCOPED_TRACE(csidl);
    EXPECT_EQ(appData(TRUE, csidl), std::nullopt);
  }
  EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, nullptr, CSIDL_APPDATA, TRUE));

  win32standin::setAppDataFolder(dir_.str() + "/" + std::string(MAX_PATH, 'a'));
  EXPECT_EQ(appData(TRUE), std::nullopt);
}

// --- SHCreateDirectoryExA ----------------------------------------------------------------

TEST(PlatformCreateDirectoryTest, CreatesEveryMissingParent) {
  const TempFolder dir;
  const std::string nested = dir.str() + "\\Tarsk\\Vellum";  // as the effect builds it
  EXPECT_EQ(SHCreateDirectoryExA(nullptr, nested.c_str(), nullptr), ERROR_SUCCESS);
  EXPECT_TRUE(fs::is_directory(dir.path() / "Tarsk" / "Vellum"));
  EXPECT_EQ(SHCreateDirectoryExA(nullptr, nested.c_str(), nullptr), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(SHCreateDirectoryExA(nullptr, (nested + "\\").c_str(), nullptr), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(SHCreateDirectoryExA(nullptr, (dir.str() + "/a/b/c/").c_str(), nullptr), ERROR_SUCCESS);
  EXPECT_TRUE(fs::is_directory(dir.path() / "a" / "b" / "c"));
}

TEST(PlatformCreateDirectoryTest, ReportsWhyItCouldNot) {
  const TempFolder dir;
  touch(dir.path() / "file");
  struct Case {
    std::string path;
    long expected;
  };
  const Case cases[] = {
      {dir.str() + "/file", ERROR_FILE_EXISTS},
      {dir.str() + "\\file\\", ERROR_FILE_EXISTS},
      {dir.str() + "/file/sub", ERROR_PATH_NOT_FOUND},
      {"", ERROR_BAD_PATHNAME},
      {"relative\\folder", ERROR_BAD_PATHNAME},
      {dir.str() + "/" + std::string(300, 'x'), ERROR_FILENAME_EXCED_RANGE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(SHCreateDirectoryExA(nullptr, c.path.c_str(), nullptr), c.expected);
  }
  EXPECT_EQ(SHCreateDirectoryExA(nullptr, nullptr, nullptr), ERROR_BAD_PATHNAME);
  EXPECT_FALSE(fs::exists("relative"));
  SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
  EXPECT_EQ(SHCreateDirectoryExA(nullptr, (dir.str() + "/secured").c_str(), &attributes), ERROR_SUCCESS);
}

// --- DeleteFileA, RemoveDirectoryA -------------------------------------------------------

TEST(PlatformDeleteTest, DeleteFileRemovesFilesOnly) {
  const TempFolder dir;
  touch(dir.path() / "a.ini");
  fs::create_directory(dir.path() / "folder");
  EXPECT_TRUE(DeleteFileA((dir.str() + "\\a.ini").c_str()));
  EXPECT_FALSE(fs::exists(dir.path() / "a.ini"));
  EXPECT_FALSE(DeleteFileA((dir.str() + "/a.ini").c_str()));
  EXPECT_FALSE(DeleteFileA((dir.str() + "/folder").c_str()));
  EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
  EXPECT_FALSE(DeleteFileA(nullptr));
  EXPECT_FALSE(DeleteFileA(""));
}

TEST(PlatformDeleteTest, RemoveDirectoryRefusesAFolderThatIsNotEmpty) {
  const TempFolder dir;
  const fs::path folder = dir.path() / "Vellum";
  fs::create_directory(folder);
  touch(folder / "Inkline.ini");
  EXPECT_FALSE(RemoveDirectoryA(folder.c_str()));
  EXPECT_TRUE(fs::exists(folder / "Inkline.ini"));

  EXPECT_FALSE(RemoveDirectoryA((folder / "Inkline.ini").c_str()));  // a file is no folder
  ASSERT_TRUE(DeleteFileA((folder / "Inkline.ini").c_str()));
  EXPECT_TRUE(RemoveDirectoryA((dir.str() + "\\Vellum\\").c_str()));
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_FALSE(RemoveDirectoryA(folder.c_str()));  // already gone
  EXPECT_FALSE(RemoveDirectoryA(nullptr));
}

}  // namespace
