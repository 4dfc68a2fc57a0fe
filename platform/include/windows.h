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
using LONG = std::int32_t;  // 32 bits on 64-bit Windows, unlike long here
using ULONG = std::uint32_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;

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
struct HDC__;
using HDC = HDC__*;
struct HMONITOR__;
using HMONITOR = HMONITOR__*;
struct HGDIOBJ__;
using HGDIOBJ = HGDIOBJ__*;
using HBITMAP = HGDIOBJ;
using HANDLE = void*;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;
struct POINT {
  LONG x;
  LONG y;
};
using LPPOINT = POINT*;

// What a control sends its dialog with WM_NOTIFY.
struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
// What an owner-drawn control asks its dialog to draw, with WM_DRAWITEM.
struct DRAWITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemAction;
  UINT itemState;
  HWND hwndItem;
  HDC hDC;
  RECT rcItem;
  ULONG_PTR itemData;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;
struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};
using LPMONITORINFO = MONITORINFO*;
struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

// Macros, as in the Windows headers (and the host SDK's, which may come first).
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define CALLBACK
using DLGPROC = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
using WNDENUMPROC = BOOL(CALLBACK*)(HWND, LPARAM);
using MONITORENUMPROC = BOOL(CALLBACK*)(HMONITOR, HDC, LPRECT, LPARAM);

#ifndef LOWORD
#define LOWORD(l) (static_cast<WORD>(static_cast<ULONG_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<ULONG_PTR>(l) >> 16) & 0xffff))
#define MAKEWPARAM(low, high) (static_cast<WPARAM>((static_cast<DWORD>(static_cast<WORD>(low))) | (static_cast<DWORD>(static_cast<WORD>(high)) << 16)))
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#endif

// Window messages.
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_DRAWITEM = 0x002B;
inline constexpr UINT WM_NOTIFY = 0x004E;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_APP = 0x8000;
inline constexpr UINT BN_CLICKED = 0;
inline constexpr UINT NM_CLICK = 0U - 2U;
inline constexpr UINT ODT_STATIC = 5;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOW = 5;
inline constexpr UINT IMAGE_BITMAP = 0;
inline constexpr UINT LR_DEFAULTCOLOR = 0;
inline constexpr int HALFTONE = 4;
inline constexpr DWORD SRCCOPY = 0x00CC0020;

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

DWORD WINAPI GetCurrentProcessId();

// Windows and dialogs: a headless window manager (see <win32standin/Desktop.h>). Text is
// UTF-8. DialogBoxParamA builds the dialog from a template the module registered
// (<win32standin/Resources.h>), sends WM_INITDIALOG, runs the script a test set for the
// user's actions, then WM_CLOSE when the script left the dialog open, then WM_DESTROY.
INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                               LPARAM initParam);
BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);
HWND WINAPI GetDlgItem(HWND dialog, int controlId);
BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text);
int WINAPI GetWindowTextA(HWND window, LPSTR text, int size);
BOOL WINAPI EnableWindow(HWND window, BOOL enable);  // TRUE when the window was disabled before
BOOL WINAPI IsWindowEnabled(HWND window);
BOOL WINAPI IsWindowVisible(HWND window);
BOOL WINAPI ShowWindow(HWND window, int command);  // TRUE when the window was visible before
BOOL WINAPI GetWindowRect(HWND window, LPRECT rect);
BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
HWND WINAPI GetParent(HWND window);  // a dialog's owner
BOOL WINAPI EnumWindows(WNDENUMPROC procedure, LPARAM data);  // top-level windows
DWORD WINAPI GetWindowThreadProcessId(HWND window, DWORD* processId);
BOOL WINAPI GetCursorPos(LPPOINT point);
BOOL WINAPI EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC procedure, LPARAM data);
BOOL WINAPI GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info);

// GDI: bitmaps the module registered, and device contexts that record what is drawn.
HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);
BOOL WINAPI DeleteObject(HGDIOBJ object);
int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID buffer);
HDC WINAPI CreateCompatibleDC(HDC dc);
BOOL WINAPI DeleteDC(HDC dc);
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
int WINAPI SetStretchBltMode(HDC dc, int mode);
BOOL WINAPI StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                       int sourceWidth, int sourceHeight, DWORD rop);

}  // extern "C"
