// Stand-in for <windows.h> where there is no Windows: the types, constants and functions the
// effect uses, with the Win32 names and meanings. The simulated system behind them is set up
// through <win32standin/Environment.h>.
//
// Paths: the effect builds Windows paths ("...\\Tarsk\\Vellum\\Inkline.ini") on every platform,
// so every stand-in function that takes a path (here and in <shlobj.h>) accepts both '\\'
// and '/' as separators and maps '\\' to '/' before touching the file system. A drive prefix
// such as "C:" means nothing here; a real '\\' inside a Linux file name cannot be reached.
#pragma once

#include <cstdint>

#define WINAPI

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using SHORT = std::int16_t;
using UINT = unsigned int;
using INT = int;
using LANGID = WORD;
using LPVOID = void*;
using LPCSTR = const char*;
using LPSTR = char*;

struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
};
using PSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

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

inline constexpr int MAX_PATH = 260;

// Error codes are long, as the 0L-style literals of <winerror.h> are: they compare cleanly with
// both the int that SHCreateDirectoryExA returns and a DWORD.
inline constexpr long ERROR_SUCCESS = 0L;
inline constexpr long ERROR_PATH_NOT_FOUND = 3L;
inline constexpr long ERROR_ACCESS_DENIED = 5L;
inline constexpr long ERROR_FILE_EXISTS = 80L;
inline constexpr long ERROR_BAD_PATHNAME = 161L;
inline constexpr long ERROR_ALREADY_EXISTS = 183L;
inline constexpr long ERROR_FILENAME_EXCED_RANGE = 206L;

inline constexpr DWORD DLL_PROCESS_DETACH = 0;
inline constexpr DWORD DLL_PROCESS_ATTACH = 1;

extern "C" {

// High bit set while the key is held.
SHORT WINAPI GetKeyState(int virtualKey);

LANGID WINAPI GetUserDefaultUILanguage();

// Settings files (.ini). Sections and keys match case-insensitively (ASCII) with surrounding
// blanks ignored; values are trimmed and lose one pair of enclosing quotes. Both LF and CRLF
// files are read; a write rewrites the whole file with CRLF line ends, through a temporary
// file in the same folder renamed over the original, so a crash never leaves half a file.
// A null file name (win.ini on Windows) names no file here: reads give the default, writes fail.
UINT WINAPI GetPrivateProfileIntA(LPCSTR appName, LPCSTR keyName, INT defaultValue, LPCSTR fileName);
DWORD WINAPI GetPrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue, LPSTR returnedString,
                                      DWORD size, LPCSTR fileName);
BOOL WINAPI WritePrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR value, LPCSTR fileName);

BOOL WINAPI DeleteFileA(LPCSTR fileName);
// Fails when the folder is missing, is not a folder or is not empty.
BOOL WINAPI RemoveDirectoryA(LPCSTR pathName);

}  // extern "C"
