// Stand-in for <windows.h> where there is no Windows: the types, constants and functions the
// effect uses, with the Win32 names and meanings. The simulated system behind them is set up
// through <win32standin/Environment.h>.
#pragma once

#include <cstdint>

#define WINAPI

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using SHORT = std::int16_t;
using UINT = unsigned int;
using LANGID = WORD;
using LPVOID = void*;
using LPCSTR = const char*;
using LPSTR = char*;

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
struct HWND__;
using HWND = HWND__*;

// Macros, as in the Windows headers (and the host SDK's, which may come first).
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;

inline constexpr DWORD DLL_PROCESS_DETACH = 0;
inline constexpr DWORD DLL_PROCESS_ATTACH = 1;

extern "C" {

// High bit set while the key is held.
SHORT WINAPI GetKeyState(int virtualKey);

LANGID WINAPI GetUserDefaultUILanguage();

}  // extern "C"
