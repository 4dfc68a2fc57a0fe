#include <windows.h>

#include <atomic>

#include "win32standin/Environment.h"

namespace {
std::atomic<LANGID> gUserDefaultUILanguage{0x0409};  // English (United States)
}

namespace win32standin {

void setUserDefaultUILanguage(std::uint16_t languageId) { gUserDefaultUILanguage.store(languageId); }

}  // namespace win32standin

LANGID WINAPI GetUserDefaultUILanguage() { return gUserDefaultUILanguage.load(); }
