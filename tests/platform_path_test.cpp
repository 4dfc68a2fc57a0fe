// String helpers of the Win32 stand-in: PathRemoveFileSpecA, _mbscmp; and that its headers
// sit together as the Windows ones do.
#include <gtest/gtest.h>
#include <mbstring.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <windows.h>

#include <string>

namespace {

TEST(PlatformPathRemoveFileSpecTest, RemovesTheLastComponent) {
  struct Case {
    const char* path;
    const char* expected;
    BOOL removed;
  };
  const Case cases[] = {
      {"C:\\a\\b.ini", "C:\\a", TRUE},
      {"C:\\Users\\me\\AppData\\Roaming\\Tarsk\\Vellum\\Inkline.ini", "C:\\Users\\me\\AppData\\Roaming\\Tarsk\\Vellum", TRUE},
      {"C:\\a\\", "C:\\a", TRUE},
      {"C:\\a", "C:\\", TRUE},
      {"C:\\", "C:\\", FALSE},
      {"C:", "C:", FALSE},
      {"C:b.ini", "C:", TRUE},
      {"b.ini", "", TRUE},
      {"\\a", "\\", TRUE},
      {"\\", "\\", FALSE},
      {"\\\\server", "\\\\", TRUE},
      {"\\\\server\\share\\f.txt", "\\\\server\\share", TRUE},
      {"/home/me/.config/Inkline.ini", "/home/me/.config", TRUE},
      {"/home", "/", TRUE},
      {"/", "/", FALSE},
      {"C:/a/b.ini", "C:/a", TRUE},
      {"C:/a", "C:/", TRUE},
      {"/tmp/x\\Tarsk\\Inkline.ini", "/tmp/x\\Tarsk", TRUE},
      {"", "", FALSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    char buffer[MAX_PATH];
    std::string(c.path).copy(buffer, MAX_PATH - 1);
    buffer[std::string(c.path).size()] = '\0';
    EXPECT_EQ(PathRemoveFileSpecA(buffer), c.removed);
    EXPECT_STREQ(buffer, c.expected);
  }
  EXPECT_FALSE(PathRemoveFileSpecA(nullptr));
}

TEST(PlatformPathRemoveFileSpecTest, RepeatedUseClimbsToTheRoot) {
  char buffer[] = "C:\\a\\b\\c.ini";
  int removals = 0;
  while (PathRemoveFileSpecA(buffer)) ++removals;
  EXPECT_EQ(removals, 3);
  EXPECT_STREQ(buffer, "C:\\");
}

TEST(PlatformMbsCmpTest, ComparesByteByByte) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {
      {"", "", 0},          {"abc", "abc", 0},  {"abc", "abd", -1},        {"abd", "abc", 1},
      {"ab", "abc", -1},    {"abc", "ab", 1},   {"ABC", "abc", -1},        {"\xE3\x81\x82", "a", 1},
      {"Inkline", "Inkline", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    const int result = _mbscmp(reinterpret_cast<const unsigned char*>(c.a), reinterpret_cast<const unsigned char*>(c.b));
    EXPECT_EQ((result > 0) - (result < 0), c.sign);
  }
  const auto* text = reinterpret_cast<const unsigned char*>("x");
  EXPECT_EQ(_mbscmp(nullptr, text), _NLSCMPERROR);
  EXPECT_EQ(_mbscmp(text, nullptr), _NLSCMPERROR);
}

TEST(PlatformHeadersTest, ErrorCodesCompareWithBothIntAndDword) {
  // As effect code writes it: an int result and a DWORD error against the same constants,
  // without a sign-compare warning under -Werror.
  const int created = static_cast<int>(ERROR_ALREADY_EXISTS);
  const DWORD lastError = 80;
  EXPECT_TRUE(created == ERROR_ALREADY_EXISTS || created == ERROR_SUCCESS);
  EXPECT_TRUE(lastError == ERROR_FILE_EXISTS);
  EXPECT_EQ(MAX_PATH, 260);
  EXPECT_EQ(CSIDL_APPDATA, 0x001a);
  EXPECT_EQ(ERROR_PATH_NOT_FOUND, 3);
  EXPECT_EQ(ERROR_BAD_PATHNAME, 161);
  INT signedValue = -1;
  EXPECT_EQ(static_cast<UINT>(signedValue), 0xFFFFFFFFu);
}

}  // namespace
