// Inkline.aex on the real Windows API: the host language and its fallback, Shift on the
// about box, and the options dialog worked through posted messages, the settings file
// checked after each action.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "DialogUser.h"
#include "DisposableProfile.h"
#include "MiniHost.h"

namespace {

namespace fs = std::filesystem;

constexpr int kStore = 2001, kRestore = 2002, kLink = 2060;

std::wstring wide(const char* utf8) {
  std::wstring result(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, result.data(), static_cast<int>(result.size()));
  result.pop_back();
  return result;
}

class WindowsModuleTest : public ::testing::Test {
 protected:
  DialogView openOptions(std::function<void(HWND)> act) {
    DialogUser user(host.mainWindow(), std::move(act));
    EXPECT_EQ(host.send(PF_Cmd_DO_DIALOG), PF_Err_NONE);
    const DialogView view = user.finish();
    EXPECT_TRUE(view.found) << "the options dialog did not open";
    return view;
  }

  DisposableProfile profile;
  MiniHost host;
};

TEST_F(WindowsModuleTest, EnglishHost) {
  const DialogView view = openOptions([](HWND dialog) { clickButton(dialog, IDOK); });
  EXPECT_EQ(view.title, L"Inkline");
  EXPECT_EQ(view.group, L"Settings (Valid from next start-up)");
  EXPECT_EQ(view.store, L"Set current parameter values to default");
  EXPECT_EQ(view.restore, L"Restore initial default parameter values");
  EXPECT_TRUE(view.linkVisible);
}

TEST_F(WindowsModuleTest, JapaneseHost) {
  host.language = "ja_JP";
  const DialogView view = openOptions([](HWND dialog) { clickButton(dialog, IDOK); });
  EXPECT_EQ(view.group, wide("設定 （次回起動から有効になります）"));
  EXPECT_EQ(view.store, wide("現在のパラメータ設定をデフォルト値として記憶する"));
  EXPECT_EQ(view.restore, wide("パラメータのデフォルト値設定を初期状態に復帰する"));
}

// Without the application suite the Windows user-interface language decides.
TEST_F(WindowsModuleTest, WithoutTheAppSuiteTheWindowsLanguageDecides) {
  host.provideAppSuite = false;
  const DialogView view = openOptions([](HWND dialog) { pressEscape(dialog); });
  EXPECT_EQ(view.store, expectJapaneseUserInterface() ? wide("現在のパラメータ設定をデフォルト値として記憶する")
                                                      : L"Set current parameter values to default");
}

TEST_F(WindowsModuleTest, TheDialogIsCentredOnTheMainWindowWhichIsDisabledMeanwhile) {
  const DialogView view = openOptions([](HWND dialog) { clickButton(dialog, IDOK); });
  RECT main{};
  GetWindowRect(host.mainWindow(), &main);
  const LONG width = view.rect.right - view.rect.left, height = view.rect.bottom - view.rect.top;
  EXPECT_EQ(view.rect.left, std::max((main.left + main.right - width) / 2, main.left + 32));
  EXPECT_EQ(view.rect.top, std::max((main.top + main.bottom - height) / 2, main.top + 32));
  EXPECT_FALSE(view.mainWindowEnabled);
  EXPECT_TRUE(IsWindowEnabled(host.mainWindow()));
}

TEST_F(WindowsModuleTest, StoringWritesTheCurrentValues) {
  host.param("Thickness").u.fs_d.value = 12.5;
  openOptions([](HWND dialog) { clickButton(dialog, kStore); });
  EXPECT_THAT(settingsText(), ::testing::HasSubstr("[Version=1.5]"));
  EXPECT_THAT(settingsText(), ::testing::HasSubstr("Thickness=12" + expectedDecimalSeparator() + "500000"));
}

TEST_F(WindowsModuleTest, RestoringRemovesTheFileAndTheEmptiedFolders) {
  openOptions([](HWND dialog) { clickButton(dialog, kStore); });
  ASSERT_TRUE(fs::exists(settingsFile()));
  openOptions([](HWND dialog) { clickButton(dialog, kRestore); });
  EXPECT_FALSE(fs::exists(tarskFolder()));
  EXPECT_TRUE(fs::exists(applicationDataFolder()));
}

TEST_F(WindowsModuleTest, EscapeTheCloseBoxAndOkStoreNothing) {
  for (auto close : {+[](HWND d) { pressEscape(d); }, +[](HWND d) { clickCloseBox(d); },
                     +[](HWND d) { clickButton(d, IDOK); }}) {
    openOptions([close](HWND dialog) {
      close(dialog);
      EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_FALSE(fs::exists(tarskFolder()));
  }
}

TEST_F(WindowsModuleTest, OnAnOldHostTheButtonsAreGreyed) {
  host.version = PF_SpecVersion{12, 11};
  const DialogView view = openOptions([](HWND dialog) { clickButton(dialog, IDOK); });
  EXPECT_FALSE(view.storeEnabled);
  EXPECT_FALSE(view.restoreEnabled);
  EXPECT_TRUE(view.linkVisible);
  EXPECT_FALSE(fs::exists(tarskFolder()));
}

// The script points Wine's browser at a recorder that appends each address it is given to
// the file INKLINE_BROWSER_LOG names.
TEST_F(WindowsModuleTest, TheLinkOpensTheOnlineManual) {
  const char* log = std::getenv("INKLINE_BROWSER_LOG");
  if (log == nullptr) GTEST_SKIP() << "no browser recorder set up";
  openOptions([](HWND dialog) {
    clickLink(dialog, kLink);
    Sleep(200);
    clickButton(dialog, IDOK);
  });
  // Wine starts its browser as a new process; in a fresh prefix on a busy machine that has
  // taken over 10 s, so the wait is long (it ends as soon as the address is there).
  std::string opened;
  for (int tries = 0; tries < 600 && opened.empty(); ++tries) {
    std::ifstream in(log);
    std::getline(in, opened);
    if (opened.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(opened, "https://tarsk.example.com/inkline/manual/");
}

TEST_F(WindowsModuleTest, ShiftAddsTheBuildNumberToTheAboutBox) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  const std::string held = host.about();
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  const std::string released = host.about();
  EXPECT_EQ(held.substr(0, held.find('\r')), "Inkline 1.6.1 Release build:7 ");
  EXPECT_EQ(released.substr(0, released.find('\r')), "Inkline 1.6.1 Release ");
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const char* disposable = std::getenv("INKLINE_DISPOSABLE_PROFILE");
  if (disposable == nullptr || std::string(disposable) != "1") {
    std::fprintf(stderr, "These tests change the user's settings folder; run them through "
                         "scripts/run-windows-tests.sh, which gives them a throwaway Wine prefix.\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
