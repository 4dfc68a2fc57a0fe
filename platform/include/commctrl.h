// Stand-in for <commctrl.h>: registering the common control classes.
#pragma once

#include <windows.h>

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
using LPINITCOMMONCONTROLSEX = INITCOMMONCONTROLSEX*;

inline constexpr DWORD ICC_LINK_CLASS = 0x00008000;  // SysLink

extern "C" {

// Records the classes asked for (win32standin::commonControlClasses()); always succeeds.
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);

}  // extern "C"
