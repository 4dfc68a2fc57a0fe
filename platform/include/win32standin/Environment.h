// Control of the simulated system behind the Win32 stand-in, for the simulated host and
// tests: what the "user" is doing and how the machine is set up.
#pragma once

#include <cstdint>
#include <string>

namespace win32standin {

// Holds or releases a key (virtual-key code), as GetKeyState then reports it.
void setKeyHeld(int virtualKey, bool held);

// The Windows user-interface language, e.g. 0x0409 English (United States), 0x0411 Japanese.
void setUserDefaultUILanguage(std::uint16_t languageId);

// The roaming application-data folder (CSIDL_APPDATA) that SHGetSpecialFolderPathA reports, so
// that tests and the simulated host can keep settings in a temporary folder. Empty restores the
// default: $XDG_CONFIG_HOME, else $HOME/.config. Thread-safe.
void setAppDataFolder(const std::string& path);

// While set, WritePrivateProfileStringA stops as a crash would: after writing its temporary
// file, before renaming it over the settings file. The temporary file stays, the settings file
// is untouched and the call fails. Lets tests check that an interrupted write loses nothing.
void setProfileWriteCrashBeforeRename(bool crash);

}  // namespace win32standin
