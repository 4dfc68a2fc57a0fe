// Stand-in for <shellapi.h>: opening a document or address with its program.
#pragma once

#include <windows.h>

extern "C" {

// Opens nothing: records the call (win32standin::shellExecutions()) and returns a value
// above 32, success, as Windows does.
HINSTANCE WINAPI ShellExecuteA(HWND window, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                               int showCommand);

}  // extern "C"
