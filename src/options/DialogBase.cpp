#include "options/DialogBase.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace tarskDlg {
namespace {

// Dialog windows and their objects, from WM_INITDIALOG to WM_DESTROY. Used on the host's
// user-interface thread; the lock only keeps a misbehaving caller from corrupting it.
struct WindowMap {
  std::mutex mutex;
  std::map<HWND, DialogBase*> dialogs;
};

WindowMap& windowMap() {
  static WindowMap map;
  return map;
}

DialogBase* findDialog(HWND window) {
  std::lock_guard lock(windowMap().mutex);
  const auto it = windowMap().dialogs.find(window);
  return it == windowMap().dialogs.end() ? nullptr : it->second;
}

constexpr UINT kFirstAppMessage = 0x8000;  // WM_APP
constexpr UINT kLastAppMessage = 0xBFFF;
constexpr LONG kMinimumEdgeDistance = 32;

struct MonitorSearch {
  HMONITOR monitor = nullptr;
};

BOOL CALLBACK takeFirstMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  reinterpret_cast<MonitorSearch*>(data)->monitor = monitor;
  return FALSE;
}

// The full rectangle of the monitor under the mouse cursor, if any.
bool monitorUnderCursor(RECT& rect) {
  POINT cursor{};
  if (!GetCursorPos(&cursor)) return false;
  const RECT spot{cursor.x, cursor.y, cursor.x + 1, cursor.y + 1};
  MonitorSearch search;
  EnumDisplayMonitors(nullptr, &spot, takeFirstMonitor, reinterpret_cast<LPARAM>(&search));
  if (search.monitor == nullptr) return false;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(search.monitor, &info)) return false;
  rect = info.rcMonitor;
  return true;
}

}  // namespace

DialogBase::DialogBase(HINSTANCE instance, HWND owner, WORD templateId)
    : instance_(instance), owner_(owner), templateId_(templateId) {}

DialogBase::~DialogBase() = default;

INT_PTR DialogBase::doModal() {
  return DialogBoxParamA(instance_, MAKEINTRESOURCEA(templateId_), owner_, dialogProcedure,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR DialogBase::preTranslate(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR DialogBase::onInitDialog(HWND, WPARAM) { return 0; }
INT_PTR DialogBase::onCommand(HWND, WORD, WORD, HWND) { return 0; }
INT_PTR DialogBase::onAppMessage(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR DialogBase::onNotify(HWND, int, NMHDR*) { return 0; }
INT_PTR DialogBase::onPaint(HWND) { return 0; }
INT_PTR DialogBase::onDrawItem(HWND, int, DRAWITEMSTRUCT*) { return 0; }

INT_PTR DialogBase::onClose(HWND window) {
  endDialog(window, 0);
  return 1;
}

INT_PTR DialogBase::onDestroy(HWND) { return 0; }

//   x = max((ref.left + ref.right − width) / 2, ref.left + 32), y likewise,
//   the halves truncated toward zero
void DialogBase::centerWindow(HWND window) {
  RECT own{};
  if (!GetWindowRect(window, &own)) return;
  RECT reference{};
  const HWND owner = GetParent(window);
  if (owner != nullptr ? !GetWindowRect(owner, &reference) : !monitorUnderCursor(reference)) return;
  const LONG width = own.right - own.left;
  const LONG height = own.bottom - own.top;
  const LONG x = std::max((reference.left + reference.right - width) / 2, reference.left + kMinimumEdgeDistance);
  const LONG y = std::max((reference.top + reference.bottom - height) / 2, reference.top + kMinimumEdgeDistance);
  MoveWindow(window, x, y, width, height, TRUE);
}

void DialogBase::setText(HWND window, const std::string& text) { setText(window, text.c_str()); }

void DialogBase::setText(HWND window, const char* text) {
#ifdef _WIN32
  // The texts are UTF-8. Through the wide call they read right whatever the system's ANSI
  // code page, not only on Windows set to Japanese.
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (length > 0) {
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    SetWindowTextW(window, wide.c_str());
    return;
  }
#endif
  SetWindowTextA(window, text);
}

void DialogBase::endDialog(HWND window, INT_PTR result) { EndDialog(window, result); }

INT_PTR CALLBACK DialogBase::dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogBase* dialog = nullptr;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<DialogBase*>(lParam);
    if (dialog == nullptr) return 0;
    std::lock_guard lock(windowMap().mutex);
    windowMap().dialogs[window] = dialog;
    dialog->window_ = window;
  } else {
    dialog = findDialog(window);
    if (dialog == nullptr) return 0;
    if (message == WM_DESTROY) {
      std::lock_guard lock(windowMap().mutex);
      windowMap().dialogs.erase(window);
    }
  }

  if (const INT_PTR handled = dialog->preTranslate(window, message, wParam, lParam)) return handled;

  switch (message) {
    case WM_INITDIALOG: return dialog->onInitDialog(window, wParam);
    case WM_COMMAND:
      return dialog->onCommand(window, HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
      return dialog->onNotify(window, static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
    case WM_PAINT: return dialog->onPaint(window);
    case WM_DRAWITEM:
      return dialog->onDrawItem(window, static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_CLOSE: return dialog->onClose(window);
    case WM_DESTROY: return dialog->onDestroy(window);
    default:
      if (message >= kFirstAppMessage && message <= kLastAppMessage) {
        return dialog->onAppMessage(window, message, wParam, lParam);
      }
      return 0;
  }
}

}  // namespace tarskDlg
