// The options dialog on its own: centring without an owner (on the monitor under the mouse
// cursor, never closer than 32 pixels to its left or top edge) and its text table.
#include <gtest/gtest.h>

#include <vector>

#include "framework/ModuleInstance.h"
#include "options/DialogTextTable.h"
#include "options/OptionDialog.h"
#include "support/CleanDesktop.h"
#include "win32standin/Desktop.h"

namespace {

struct CentringCase {
  const char* name;
  std::vector<RECT> monitors;
  POINT cursor;
  LONG expectedLeft, expectedTop;  // -1: wherever the dialog was created
};

// The dialog's window: 235 x 170 dialog units at 1.5 pixels, a 3-pixel frame and a 23-pixel
// caption: 359 x 284 pixels, created at (33, 26).
constexpr LONG kWidth = 359, kHeight = 284;

class OwnerlessCentringTest : private CleanDesktop, public ::testing::TestWithParam<CentringCase> {};

TEST_P(OwnerlessCentringTest, PlacesTheDialog) {
  win32standin::setMonitors(GetParam().monitors);
  win32standin::setCursorPosition(GetParam().cursor);
  FxOptionDlg::AEFxOptionDialog dialog(moduleInstance(), nullptr, "Inkline", "", true, HostLanguage::English);
  EXPECT_EQ(dialog.doModal(), FxOptionDlg::kOptionNothing);
  const RECT placed = win32standin::lastDialog().value().rect;
  EXPECT_EQ(placed.right - placed.left, kWidth);
  EXPECT_EQ(placed.bottom - placed.top, kHeight);
  EXPECT_EQ(placed.left, GetParam().expectedLeft == -1 ? 33 : GetParam().expectedLeft);
  EXPECT_EQ(placed.top, GetParam().expectedTop == -1 ? 26 : GetParam().expectedTop);
}

INSTANTIATE_TEST_SUITE_P(
    Monitors, OwnerlessCentringTest,
    ::testing::Values(
        CentringCase{"Primary", {RECT{0, 0, 1920, 1080}}, POINT{5, 5}, (1920 - kWidth) / 2, (1080 - kHeight) / 2},
        // The monitor rectangle, not its work area, and the one under the cursor.
        CentringCase{"SecondMonitor",
                     {RECT{0, 0, 1920, 1080}, RECT{1920, -200, 3200, 824}},
                     POINT{2500, 0},
                     (1920 + 3200 - kWidth) / 2,
                     (-200 + 824 - kHeight) / 2},
        // Halves truncate toward zero: (-1280 + 0 - 359) / 2 = -819.5 -> -819.
        CentringCase{"LeftOfThePrimary", {RECT{-1280, 0, 0, 1024}}, POINT{-5, 5}, -819, (1024 - kHeight) / 2},
        CentringCase{"SmallerThanTheDialog", {RECT{100, 50, 400, 250}}, POINT{150, 60}, 132, 82},
        CentringCase{"CursorOffEveryMonitor", {RECT{0, 0, 1920, 1080}}, POINT{5000, 5000}, -1, -1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// The dialog's texts fall back to the other language where one is missing; unknown ids and
// languages give the empty text.
TEST(DialogTextTable, LooksUpLikeTheStringTable) {
  EXPECT_STREQ(dialogText(kDialogTextStoreDefaults, HostLanguage::English), "Set current parameter values to default");
  EXPECT_STREQ(dialogText(kDialogTextManualLink, HostLanguage::Japanese), "<a>オンラインマニュアル</a>");
  EXPECT_STREQ(dialogText(3, HostLanguage::English), "");
  EXPECT_STREQ(dialogText(kDialogTextSettingsGroup, static_cast<HostLanguage>(2)), "");
}

}  // namespace
