// Windows, the cursor and the monitors of the simulated desktop.
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "DesktopState.h"

namespace win32standin {
namespace detail {

Desktop& desktop() {
  static Desktop state;
  return state;
}

}  // namespace detail

using detail::desktop;

HWND createTopLevelWindow(const std::string& title, RECT rect, bool visible, bool enabled,
                          std::optional<DWORD> processId) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  detail::Window window;
  window.topLevel = true;
  window.state.handle = d.newHandle<HWND>();
  window.state.className = "AE main window";
  window.state.text = title;
  window.state.rect = rect;
  window.state.visible = visible;
  window.state.enabled = enabled;
  window.state.processId = processId.value_or(GetCurrentProcessId());
  const HWND handle = window.state.handle;
  d.windows.emplace(handle, std::move(window));
  return handle;
}

void destroyWindow(HWND window) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  std::erase_if(d.windows, [&](const auto& entry) { return entry.first == window || entry.second.state.parent == window; });
}

std::optional<WindowState> windowState(HWND window) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  const detail::Window* found = d.find(window);
  if (found == nullptr) return std::nullopt;
  return found->state;
}

void setCursorPosition(POINT point) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  d.cursor = point;
}

void setMonitors(std::vector<RECT> monitors) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  d.monitors = std::move(monitors);
}

void resetDesktop() {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  d.windows.clear();
  d.cursor = POINT{0, 0};
  d.monitors = {RECT{0, 0, 1920, 1080}};
  d.script = nullptr;
  d.dialogCreationFails = false;
  d.lastDialogControls.clear();
  d.lastDialog.reset();
  d.shellExecutions.clear();
  d.commonControlClasses.clear();
  d.bitmaps.clear();
  d.deviceContexts.clear();
  d.stretchBlts.clear();
}

}  // namespace win32standin

using win32standin::detail::desktop;

namespace {

// Runs `change` on the window under the lock; FALSE for an unknown window.
template <typename Change>
BOOL withWindow(HWND handle, Change change) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  win32standin::detail::Window* window = d.find(handle);
  if (window == nullptr) return FALSE;
  return change(*window);
}

// Monitor handles are the monitor's index plus one.
HMONITOR monitorHandle(std::size_t index) { return reinterpret_cast<HMONITOR>(index + 1); }

}  // namespace

DWORD WINAPI GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

HWND WINAPI GetDlgItem(HWND dialog, int controlId) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  for (const auto& [handle, window] : d.windows) {
    if (!window.topLevel && window.state.parent == dialog && window.state.controlId == controlId) return handle;
  }
  return nullptr;
}

BOOL WINAPI SetWindowTextA(HWND handle, LPCSTR text) {
  return withWindow(handle, [&](auto& window) {
    window.state.text = text == nullptr ? "" : text;
    return TRUE;
  });
}

int WINAPI GetWindowTextA(HWND handle, LPSTR text, int size) {
  if (text == nullptr || size <= 0) return 0;
  int copied = 0;
  withWindow(handle, [&](auto& window) {
    copied = static_cast<int>(std::min<std::size_t>(window.state.text.size(), static_cast<std::size_t>(size - 1)));
    std::memcpy(text, window.state.text.data(), static_cast<std::size_t>(copied));
    return TRUE;
  });
  text[copied] = '\0';
  return copied;
}

BOOL WINAPI EnableWindow(HWND handle, BOOL enable) {
  BOOL wasDisabled = FALSE;
  withWindow(handle, [&](auto& window) {
    wasDisabled = window.state.enabled ? FALSE : TRUE;
    window.state.enabled = enable != FALSE;
    return TRUE;
  });
  return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND handle) {
  return withWindow(handle, [](auto& window) { return window.state.enabled ? TRUE : FALSE; });
}

BOOL WINAPI IsWindowVisible(HWND handle) {
  return withWindow(handle, [](auto& window) { return window.state.visible ? TRUE : FALSE; });
}

BOOL WINAPI ShowWindow(HWND handle, int command) {
  BOOL wasVisible = FALSE;
  withWindow(handle, [&](auto& window) {
    wasVisible = window.state.visible ? TRUE : FALSE;
    window.state.visible = command != SW_HIDE;
    return TRUE;
  });
  return wasVisible;
}

BOOL WINAPI GetWindowRect(HWND handle, LPRECT rect) {
  if (rect == nullptr) return FALSE;
  return withWindow(handle, [&](auto& window) {
    *rect = window.state.rect;
    return TRUE;
  });
}

BOOL WINAPI MoveWindow(HWND handle, int x, int y, int width, int height, BOOL) {
  return withWindow(handle, [&](auto& window) {
    const LONG dx = x - window.state.rect.left;
    const LONG dy = y - window.state.rect.top;
    window.state.rect = RECT{x, y, x + width, y + height};
    // A dialog's controls move with it.
    for (auto& [controlHandle, control] : desktop().windows) {
      if (control.topLevel || control.state.parent != handle) continue;
      control.state.rect.left += dx;
      control.state.rect.right += dx;
      control.state.rect.top += dy;
      control.state.rect.bottom += dy;
    }
    return TRUE;
  });
}

HWND WINAPI GetParent(HWND handle) {
  HWND parent = nullptr;
  withWindow(handle, [&](auto& window) {
    parent = window.state.parent;
    return TRUE;
  });
  return parent;
}

BOOL WINAPI EnumWindows(WNDENUMPROC procedure, LPARAM data) {
  if (procedure == nullptr) return FALSE;
  std::vector<HWND> handles;
  {
    auto& d = desktop();
    std::lock_guard lock(d.mutex);
    for (const auto& [handle, window] : d.windows) {
      if (window.topLevel) handles.push_back(handle);
    }
  }
  for (HWND handle : handles) {
    if (!procedure(handle, data)) break;
  }
  return TRUE;
}

DWORD WINAPI GetWindowThreadProcessId(HWND handle, DWORD* processId) {
  DWORD owner = 0;
  const BOOL known = withWindow(handle, [&](auto& window) {
    owner = window.state.processId;
    return TRUE;
  });
  if (processId != nullptr) *processId = owner;
  return known ? 1 : 0;  // the thread: one user-interface thread here
}

BOOL WINAPI GetCursorPos(LPPOINT point) {
  if (point == nullptr) return FALSE;
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  *point = d.cursor;
  return TRUE;
}

BOOL WINAPI EnumDisplayMonitors(HDC, LPCRECT clip, MONITORENUMPROC procedure, LPARAM data) {
  if (procedure == nullptr) return FALSE;
  std::vector<RECT> monitors;
  {
    auto& d = desktop();
    std::lock_guard lock(d.mutex);
    monitors = d.monitors;
  }
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    RECT part = monitors[i];
    if (clip != nullptr) {
      part = RECT{std::max(part.left, clip->left), std::max(part.top, clip->top), std::min(part.right, clip->right),
                  std::min(part.bottom, clip->bottom)};
      if (part.left >= part.right || part.top >= part.bottom) continue;
    }
    if (!procedure(monitorHandle(i), nullptr, &part, data)) break;
  }
  return TRUE;
}

BOOL WINAPI GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info) {
  if (info == nullptr || info->cbSize < sizeof(MONITORINFO)) return FALSE;
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  const auto index = reinterpret_cast<std::uintptr_t>(monitor);
  if (index == 0 || index > d.monitors.size()) return FALSE;
  const RECT full = d.monitors[index - 1];
  info->rcMonitor = full;
  info->rcWork = RECT{full.left, full.top, full.right, std::max(full.top, full.bottom - 40)};
  info->dwFlags = index == 1 ? 1u : 0u;  // MONITORINFOF_PRIMARY
  return TRUE;
}
