// Stand-in for <shlwapi.h>: path string helpers. They work on the string only; '\\' and '/'
// both count as separators and are left as they are.
#pragma once

#include <windows.h>

extern "C" {

// Removes the trailing file name and the separator before it: "C:\\a\\b.ini" -> "C:\\a",
// "C:\\a\\" -> "C:\\a", "C:\\a" -> "C:\\", "\\a" -> "\\", "b.ini" -> "". A root ("C:\\", "\\", "/")
// stays. TRUE when something was removed.
BOOL WINAPI PathRemoveFileSpecA(LPSTR path);

}  // extern "C"
