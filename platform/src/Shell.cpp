// Shell and common-control calls: recorded, since there is no browser or control library.
#include <commctrl.h>
#include <shellapi.h>

#include "DesktopState.h"

namespace win32standin {

std::vector<ShellExecution> shellExecutions() {
  auto& d = detail::desktop();
  std::lock_guard lock(d.mutex);
  return d.shellExecutions;
}

std::vector<DWORD> commonControlClasses() {
  auto& d = detail::desktop();
  std::lock_guard lock(d.mutex);
  return d.commonControlClasses;
}

}  // namespace win32standin

namespace {
std::string text(LPCSTR value) { return value == nullptr ? std::string() : std::string(value); }
}  // namespace

HINSTANCE WINAPI ShellExecuteA(HWND window, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                               int showCommand) {
  auto& d = win32standin::detail::desktop();
  std::lock_guard lock(d.mutex);
  d.shellExecutions.push_back({window, text(operation), text(file), text(parameters), text(directory), showCommand});
  return reinterpret_cast<HINSTANCE>(std::uintptr_t{42});
}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  if (controls == nullptr || controls->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  auto& d = win32standin::detail::desktop();
  std::lock_guard lock(d.mutex);
  d.commonControlClasses.push_back(controls->dwICC);
  return TRUE;
}
