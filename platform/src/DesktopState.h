// The state shared by the stand-in's window, dialog and GDI functions. Callers lock `mutex`
// for every access and never call back into a window procedure while holding it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "win32standin/Desktop.h"
#include "win32standin/Resources.h"

namespace win32standin::detail {

struct Window {
  WindowState state;
  bool topLevel = false;
  // Dialogs only.
  DLGPROC procedure = nullptr;
  bool ended = false;
  INT_PTR result = 0;
};

struct Bitmap {
  BitmapTemplate size;
};

struct DeviceContext {
  HGDIOBJ selected = nullptr;
  int stretchMode = 1;  // BLACKONWHITE, the Windows default
};

struct Desktop {
  std::recursive_mutex mutex;
  std::uintptr_t nextHandle = 0x10000;
  std::map<HWND, Window> windows;
  POINT cursor{0, 0};
  std::vector<RECT> monitors{RECT{0, 0, 1920, 1080}};
  DialogScript script;
  bool dialogCreationFails = false;
  std::vector<WindowState> lastDialogControls;
  std::optional<WindowState> lastDialog;
  std::vector<ShellExecution> shellExecutions;
  std::vector<DWORD> commonControlClasses;
  std::map<HGDIOBJ, Bitmap> bitmaps;
  std::map<HDC, DeviceContext> deviceContexts;
  std::vector<StretchBltCall> stretchBlts;

  template <typename Handle>
  Handle newHandle() {
    return reinterpret_cast<Handle>(nextHandle++);
  }
  Window* find(HWND handle) {
    const auto it = windows.find(handle);
    return it == windows.end() ? nullptr : &it->second;
  }
};

Desktop& desktop();

struct ModuleResources {
  std::map<int, DialogTemplate> dialogs;
  std::map<int, BitmapTemplate> bitmaps;
};
// Copies, so the caller holds no lock on the resource table.
std::optional<DialogTemplate> findDialogTemplate(HINSTANCE module, int id);
std::optional<BitmapTemplate> findBitmap(HINSTANCE module, int id);

// A resource name that is a number (MAKEINTRESOURCEA); -1 for a text name.
inline int resourceNumber(LPCSTR name) {
  const auto value = reinterpret_cast<ULONG_PTR>(name);
  return value >> 16 == 0 ? static_cast<int>(value) : -1;
}

}  // namespace win32standin::detail
