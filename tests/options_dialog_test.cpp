// The options dialog, opened by the host's options command on the module and worked by a
// scripted user on the simulated desktop.
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "support/CleanDesktop.h"
#include "support/InklineFixture.h"
#include "win32standin/Desktop.h"

namespace {

using win32standin::WindowState;

constexpr int kGroup = 2000, kStore = 2001, kRestore = 2002, kBanner = 2059, kLink = 2060;
constexpr const char* kManualAddress = "https://tarsk.example.com/inkline/manual/";

std::string fileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

WindowState control(HWND dialog, int id) {
  const auto state = win32standin::windowState(GetDlgItem(dialog, id));
  if (!state) ADD_FAILURE() << "no control " << id;
  return state.value_or(WindowState{});
}

class OptionsDialogTest : private CleanDesktop, public InklineTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(effect.globalSetup().err, PF_Err_NONE);
    ASSERT_EQ(effect.paramsSetup().err, PF_Err_NONE);
    ASSERT_EQ(effect.sequenceSetup().err, PF_Err_NONE);
  }
  void TearDown() override {
    EXPECT_EQ(effect.sequenceSetdown().err, PF_Err_NONE);
    InklineTest::TearDown();
  }

  // Runs the options command with `user` working the dialog; the command always succeeds.
  void openOptions(std::function<void(HWND)> user) {
    bool opened = false;
    win32standin::setDialogScript([&](HWND dialog) {
      opened = true;
      if (user) user(dialog);
    });
    EXPECT_EQ(effect.doDialog().err, PF_Err_NONE);
    EXPECT_TRUE(opened) << "the dialog did not open";
    win32standin::setDialogScript(nullptr);
  }

  HWND mainWindow() const { return reinterpret_cast<HWND>(host.mainWindow()); }
};

struct LanguageCase {
  const char* hostLanguage;
  const char* group;
  const char* store;
  const char* restore;
  const char* link;
};

class OptionsDialogLanguageTest : public OptionsDialogTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(OptionsDialogLanguageTest, ShowsTheTextsOfTheHostsLanguage) {
  host.options().language = GetParam().hostLanguage;
  openOptions([](HWND dialog) {
    EXPECT_EQ(win32standin::windowState(dialog)->text, "Inkline");
    EXPECT_EQ(control(dialog, kGroup).text, GetParam().group);
    EXPECT_EQ(control(dialog, kStore).text, GetParam().store);
    EXPECT_EQ(control(dialog, kRestore).text, GetParam().restore);
    EXPECT_EQ(control(dialog, kLink).text, GetParam().link);
    EXPECT_EQ(control(dialog, IDOK).text, "OK");
    for (int id : {kStore, kRestore, kLink}) {
      EXPECT_TRUE(control(dialog, id).enabled) << id;
      EXPECT_TRUE(control(dialog, id).visible) << id;
    }
  });
}

INSTANTIATE_TEST_SUITE_P(
    Languages, OptionsDialogLanguageTest,
    ::testing::Values(
        LanguageCase{"en_US", "Settings (Valid from next start-up)", "Set current parameter values to default",
                     "Restore initial default parameter values", "<a>Online Manual</a>"},
        LanguageCase{"JA_jp", "設定 （次回起動から有効になります）", "現在のパラメータ設定をデフォルト値として記憶する",
                     "パラメータのデフォルト値設定を初期状態に復帰する", "<a>オンラインマニュアル</a>"}),
    [](const auto& info) { return std::string(info.param.hostLanguage) == "en_US" ? "English" : "Japanese"; });

TEST_F(OptionsDialogTest, StoringWritesTheCurrentValuesAndCloses) {
  effect.parameters().setFloat(effect.parameters().indexOf("Thickness"), 12.5);
  openOptions([](HWND dialog) {
    win32standin::clickButton(dialog, kStore);
    EXPECT_TRUE(win32standin::dialogEnded(dialog));
  });
  const std::string settings = fileText(appData.settingsFile());
  EXPECT_THAT(settings, ::testing::HasSubstr("[Version=1.5]"));
  EXPECT_THAT(settings, ::testing::HasSubstr("Thickness=12.500000"));
  EXPECT_THAT(settings, ::testing::HasSubstr("Use All Paths=1"));
}

TEST_F(OptionsDialogTest, RestoringRemovesTheFileAndTheEmptiedFolders) {
  openOptions([](HWND dialog) { win32standin::clickButton(dialog, kStore); });
  ASSERT_TRUE(std::filesystem::exists(appData.settingsFile()));
  openOptions([](HWND dialog) { win32standin::clickButton(dialog, kRestore); });
  EXPECT_FALSE(std::filesystem::exists(appData.root() / "Tarsk"));
  EXPECT_TRUE(std::filesystem::exists(appData.root()));
}

TEST_F(OptionsDialogTest, RestoringKeepsAFolderThatHoldsAnotherProduct) {
  std::filesystem::create_directories(appData.root() / "Tarsk" / "Other");
  openOptions([](HWND dialog) { win32standin::clickButton(dialog, kStore); });
  openOptions([](HWND dialog) { win32standin::clickButton(dialog, kRestore); });
  EXPECT_FALSE(std::filesystem::exists(appData.settingsFolder()));
  EXPECT_TRUE(std::filesystem::exists(appData.root() / "Tarsk" / "Other"));
}

struct CloseCase {
  const char* name;
  std::function<void(HWND)> close;
};

class OptionsDialogCloseTest : public OptionsDialogTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(OptionsDialogCloseTest, StoresNothing) {
  openOptions([](HWND dialog) {
    if (!GetParam().close) return;  // the user closes it with the close box afterwards
    GetParam().close(dialog);
    EXPECT_TRUE(win32standin::dialogEnded(dialog));
  });
  EXPECT_FALSE(std::filesystem::exists(appData.root() / "Tarsk"));
}

INSTANTIATE_TEST_SUITE_P(Ways, OptionsDialogCloseTest,
                         ::testing::Values(CloseCase{"OK", [](HWND d) { win32standin::clickButton(d, IDOK); }},
                                           CloseCase{"Escape", [](HWND d) { win32standin::pressEscape(d); }},
                                           CloseCase{"CloseBox", [](HWND d) { win32standin::clickCloseBox(d); }},
                                           CloseCase{"LeftOpen", nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsDialogTest, OnAnOldHostTheButtonsAreGreyedButOkAndTheLinkWork) {
  host.options().specVersion = PF_SpecVersion{12, 11};
  openOptions([](HWND dialog) {
    EXPECT_FALSE(control(dialog, kStore).enabled);
    EXPECT_FALSE(control(dialog, kRestore).enabled);
    EXPECT_EQ(win32standin::clickButton(dialog, kStore), 0);  // greyed: the click reaches nothing
    EXPECT_FALSE(win32standin::dialogEnded(dialog));
    EXPECT_NE(win32standin::clickLink(dialog, kLink), 0);
    win32standin::clickButton(dialog, IDOK);
    EXPECT_TRUE(win32standin::dialogEnded(dialog));
  });
  EXPECT_EQ(win32standin::shellExecutions().size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(appData.root() / "Tarsk"));
}

TEST_F(OptionsDialogTest, TheLinkOpensTheOnlineManual) {
  openOptions([](HWND dialog) {
    EXPECT_NE(win32standin::clickLink(dialog, kLink), 0);
    EXPECT_FALSE(win32standin::dialogEnded(dialog));
  });
  const auto opened = win32standin::shellExecutions();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].operation, "open");
  EXPECT_EQ(opened[0].file, kManualAddress);
  EXPECT_EQ(opened[0].parameters, "");
  EXPECT_EQ(opened[0].directory, "");
  EXPECT_EQ(opened[0].showCommand, SW_SHOW);
  EXPECT_EQ(opened[0].window, nullptr);
}

TEST_F(OptionsDialogTest, HostWindowsAreDisabledWhileTheDialogIsOpen) {
  const HWND palette = win32standin::createTopLevelWindow("Effect Controls", RECT{0, 0, 300, 600});
  const HWND hidden = win32standin::createTopLevelWindow("Hidden", RECT{0, 0, 10, 10}, false);
  const HWND disabled = win32standin::createTopLevelWindow("Disabled", RECT{0, 0, 10, 10}, true, false);
  const HWND foreign = win32standin::createTopLevelWindow("Other program", RECT{0, 0, 10, 10}, true, true,
                                                          GetCurrentProcessId() + 1);
  openOptions([&](HWND dialog) {
    EXPECT_FALSE(IsWindowEnabled(mainWindow()));
    EXPECT_FALSE(IsWindowEnabled(palette));
    EXPECT_TRUE(IsWindowEnabled(foreign));
    EXPECT_TRUE(IsWindowEnabled(hidden));
    EXPECT_TRUE(IsWindowEnabled(dialog));
  });
  EXPECT_TRUE(IsWindowEnabled(mainWindow()));
  EXPECT_TRUE(IsWindowEnabled(palette));
  EXPECT_FALSE(IsWindowEnabled(disabled));  // was disabled before: stays so
}

TEST_F(OptionsDialogTest, ADialogThatCannotBeCreatedCountsAsClosed) {
  win32standin::setDialogCreationFails(true);
  EXPECT_EQ(effect.doDialog().err, PF_Err_NONE);
  EXPECT_TRUE(IsWindowEnabled(mainWindow()));
  EXPECT_FALSE(std::filesystem::exists(appData.root() / "Tarsk"));
  EXPECT_EQ(win32standin::liveGdiObjects(), 0);
}

TEST_F(OptionsDialogTest, CentresOnTheMainWindow) {
  openOptions(nullptr);
  const RECT dialog = win32standin::lastDialog()->rect;
  const LONG width = dialog.right - dialog.left, height = dialog.bottom - dialog.top;
  EXPECT_EQ(dialog.left, (1920 - width) / 2);
  EXPECT_EQ(dialog.top, (1040 - height) / 2);
  // The controls moved with it: the OK button sits at its template position.
  for (const WindowState& item : win32standin::lastDialogControls()) {
    if (item.controlId == IDOK) {
      EXPECT_EQ(item.rect.left, dialog.left + 3 + 270);
    }
  }
}

TEST_F(OptionsDialogTest, KeepsThirtyTwoPixelsFromASmallOwnersEdges) {
  MoveWindow(mainWindow(), 100, 200, 150, 100, TRUE);
  openOptions(nullptr);
  const RECT dialog = win32standin::lastDialog()->rect;
  EXPECT_EQ(dialog.left, 132);
  EXPECT_EQ(dialog.top, 232);
}

TEST_F(OptionsDialogTest, DrawsTheBannerStretchedIntoItsControl) {
  openOptions([](HWND dialog) {
    EXPECT_NE(win32standin::paintItem(dialog, kBanner), 0);
    EXPECT_EQ(win32standin::paintItem(dialog, kGroup), 0);  // not owner-drawn by the dialog
  });
  const auto draws = win32standin::stretchBlts();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].destination.left, 0);
  EXPECT_EQ(draws[0].destination.right, 314);  // 209 dialog units
  EXPECT_EQ(draws[0].destination.bottom, 65);  // 43 dialog units, rounded
  EXPECT_EQ(draws[0].sourceWidth, 730);
  EXPECT_EQ(draws[0].sourceHeight, 130);
  EXPECT_EQ(draws[0].bitmapWidth, 730);
  EXPECT_EQ(draws[0].stretchMode, HALFTONE);
  EXPECT_EQ(draws[0].rop, SRCCOPY);
  EXPECT_EQ(win32standin::liveGdiObjects(), 0);  // banner and memory context released
}

TEST_F(OptionsDialogTest, RegistersTheLinkControlClassOncePerProcess) {
  openOptions(nullptr);
  openOptions(nullptr);
  EXPECT_EQ(win32standin::commonControlClasses(), std::vector<DWORD>{0x8000});
}

}  // namespace
