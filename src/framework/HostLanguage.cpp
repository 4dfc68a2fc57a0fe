#include "framework/HostLanguage.h"

#include <windows.h>

#include <array>
#include <cctype>

#include "AE_AdvEffectSuites.h"
#include "framework/ErrorGuard.h"
#include "framework/LocalizedText.h"
#include "framework/ScopedSuite.h"

namespace {

// Only the Japanese column is filled; English lookups fall back to it.
constexpr std::array<LocalizedText, 3> kStringTable = {{
    {kStringName, "Inkline", nullptr},
    {kStringAboutNotice, "Copyright (C) 2026 Tarsk Vellum. All rights reserved.\rhttps://tarsk.example.com/inkline/",
     nullptr},
    {kStringManualAddress, "https://tarsk.example.com/inkline/manual/", nullptr},
}};

constexpr LANGID kJapaneseUiLanguage = 0x0411;

bool equalsIgnoringCase(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
  }
  return *a == *b;
}

HostLanguage languageFromSuite(const PF_InData* in_data) {
  ScopedSuite<PFAppSuite5> app(in_data->pica_basicP, kPFAppSuite, kPFAppSuiteVersion5);
  if (!app) throwErrorCode(A_Err_MISSING_SUITE);
  char tag[6] = {};
  app->PF_AppGetLanguage(tag);
  return equalsIgnoringCase(tag, "ja_JP") ? HostLanguage::Japanese : HostLanguage::English;
}

}  // namespace

HostLanguage lookUpHostLanguage(const PF_InData* in_data) {
  try {
    return languageFromSuite(in_data);
  } catch (PF_Err code) {
    if (code == A_Err_MISSING_SUITE) {
      return GetUserDefaultUILanguage() == kJapaneseUiLanguage ? HostLanguage::Japanese : HostLanguage::English;
    }
    return HostLanguage::English;
  }
}

const char* localizedString(int id, HostLanguage language) {
  return lookUpLocalizedText(kStringTable, id, language);
}
