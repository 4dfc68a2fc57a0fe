// The language of the host's user interface, and the effect's own texts in it.
#pragma once

#include "AE_Effect.h"

enum class HostLanguage : int { Japanese = 0, English = 1 };

// Asked afresh each time: the host's language tag, or, on a host without the application
// suite, the Windows user-interface language.
HostLanguage lookUpHostLanguage(const PF_InData* in_data);

// Texts of the string table.
enum StringId : int { kStringName = 0, kStringAboutNotice = 1, kStringManualAddress = 3 };

// The text in that language, falling back to the other one; "" for an unknown id or language.
const char* localizedString(int id, HostLanguage language);
