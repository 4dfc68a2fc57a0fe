// Stand-in for <shlobj.h>: the shell's special folders and folder creation. Paths as described
// in <windows.h>: '\\' and '/' both separate.
#pragma once

#include <windows.h>

// Roaming application data. Here: the folder set with win32standin::setAppDataFolder, else
// $XDG_CONFIG_HOME (when absolute), else $HOME/.config.
inline constexpr int CSIDL_APPDATA = 0x001a;
// May be combined with a CSIDL: create the folder (as create = TRUE), or skip the check that
// it exists.
inline constexpr int CSIDL_FLAG_DONT_VERIFY = 0x4000;
inline constexpr int CSIDL_FLAG_CREATE = 0x8000;
inline constexpr int CSIDL_FLAG_MASK = 0xFF00;

extern "C" {

// Copies the folder's path (no trailing separator) into path, which holds MAX_PATH characters.
// FALSE for any folder other than CSIDL_APPDATA, when the path does not fit, and, as on Windows,
// when the folder does not exist and create is FALSE.
BOOL WINAPI SHGetSpecialFolderPathA(HWND owner, LPSTR path, int csidl, BOOL create);

// Creates the folder and every missing parent. ERROR_SUCCESS; ERROR_ALREADY_EXISTS when the
// folder was there; ERROR_FILE_EXISTS when a file has its name; ERROR_BAD_PATHNAME for an empty or
// relative path; ERROR_FILENAME_EXCED_RANGE beyond 247 characters (Windows' limit for folders);
// ERROR_PATH_NOT_FOUND when a parent cannot be made a folder (a file in its place);
// ERROR_ACCESS_DENIED without permission. The security attributes are ignored.
int WINAPI SHCreateDirectoryExA(HWND owner, LPCSTR path, const SECURITY_ATTRIBUTES* securityAttributes);

}  // extern "C"
