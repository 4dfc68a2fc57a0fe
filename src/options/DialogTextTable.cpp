#include "options/DialogTextTable.h"

#include <array>

#include "framework/LocalizedText.h"

namespace {

constexpr std::array<LocalizedText, 4> kDialogTexts = {{
    {kDialogTextSettingsGroup, "設定 （次回起動から有効になります）", "Settings (Valid from next start-up)"},
    {kDialogTextStoreDefaults, "現在のパラメータ設定をデフォルト値として記憶する",
     "Set current parameter values to default"},
    {kDialogTextRestoreDefaults, "パラメータのデフォルト値設定を初期状態に復帰する",
     "Restore initial default parameter values"},
    {kDialogTextManualLink, "<a>オンラインマニュアル</a>", "<a>Online Manual</a>"},
}};

}  // namespace

const char* dialogText(int id, HostLanguage language) { return lookUpLocalizedText(kDialogTexts, id, language); }
