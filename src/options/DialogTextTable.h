// The options dialog's texts in both languages, looked up as the string table's are.
#pragma once

#include "framework/HostLanguage.h"

enum DialogTextId : int {
  kDialogTextSettingsGroup = 0,
  kDialogTextStoreDefaults = 1,
  kDialogTextRestoreDefaults = 2,
  kDialogTextManualLink = 4,
};

// UTF-8. The text in that language, falling back to the other one; "" for an unknown id or
// language.
const char* dialogText(int id, HostLanguage language);
