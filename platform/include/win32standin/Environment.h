// Control of the simulated system behind the Win32 stand-in, for the simulated host and
// tests: what the "user" is doing and how the machine is set up.
#pragma once

#include <cstdint>

namespace win32standin {

// Holds or releases a key (virtual-key code), as GetKeyState then reports it.
void setKeyHeld(int virtualKey, bool held);

// The Windows user-interface language, e.g. 0x0409 English (United States), 0x0411 Japanese.
void setUserDefaultUILanguage(std::uint16_t languageId);

}  // namespace win32standin
