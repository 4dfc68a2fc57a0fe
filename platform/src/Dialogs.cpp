// Modal dialogs on the simulated desktop, and the user who works them.
#include <cmath>

#include "DesktopState.h"

namespace win32standin {
namespace {

using detail::desktop;
using detail::Window;

constexpr double kPixelsPerDialogUnit = 1.5;
constexpr LONG kFrame = 3;
constexpr LONG kCaption = 23;

LONG pixels(int dialogUnits) { return static_cast<LONG>(std::lround(dialogUnits * kPixelsPerDialogUnit)); }

// Calls the dialog's procedure without holding the desktop's lock: the procedure calls back.
INT_PTR send(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DLGPROC procedure = nullptr;
  {
    auto& d = desktop();
    std::lock_guard lock(d.mutex);
    const Window* window = d.find(dialog);
    if (window == nullptr) return 0;
    procedure = window->procedure;
  }
  return procedure == nullptr ? 0 : procedure(dialog, message, wParam, lParam);
}

// The control as the user finds it: present, visible and enabled, else nothing to click.
HWND usableControl(HWND dialog, int controlId) {
  const HWND control = GetDlgItem(dialog, controlId);
  if (control == nullptr || !IsWindowVisible(control) || !IsWindowEnabled(control)) return nullptr;
  return control;
}

HWND createDialog(const DialogTemplate& dialogTemplate, HWND owner, DLGPROC procedure) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  RECT origin{0, 0, 0, 0};
  if (const Window* ownerWindow = d.find(owner)) origin = ownerWindow->state.rect;
  Window dialog;
  dialog.topLevel = true;
  dialog.procedure = procedure;
  dialog.state.handle = d.newHandle<HWND>();
  dialog.state.parent = owner;
  dialog.state.className = "#32770";
  dialog.state.text = dialogTemplate.caption;
  dialog.state.processId = GetCurrentProcessId();
  const LONG left = origin.left + pixels(dialogTemplate.x);
  const LONG top = origin.top + pixels(dialogTemplate.y);
  dialog.state.rect = RECT{left, top, left + pixels(dialogTemplate.width) + 2 * kFrame,
                           top + pixels(dialogTemplate.height) + kCaption + 2 * kFrame};
  const LONG clientLeft = left + kFrame;
  const LONG clientTop = top + kFrame + kCaption;
  for (const DialogControlTemplate& control : dialogTemplate.controls) {
    Window child;
    child.state.handle = d.newHandle<HWND>();
    child.state.parent = dialog.state.handle;
    child.state.controlId = control.id;
    child.state.className = control.className;
    child.state.text = control.text;
    child.state.visible = control.visible;
    child.state.enabled = control.enabled;
    child.state.processId = dialog.state.processId;
    const LONG x = clientLeft + pixels(control.x);
    const LONG y = clientTop + pixels(control.y);
    child.state.rect = RECT{x, y, x + pixels(control.width), y + pixels(control.height)};
    d.windows.emplace(child.state.handle, std::move(child));
  }
  const HWND handle = dialog.state.handle;
  d.windows.emplace(handle, std::move(dialog));
  return handle;
}

bool ended(HWND dialog) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  const Window* window = d.find(dialog);
  return window == nullptr || window->ended;
}

// Keeps what the dialog showed, then removes it and its controls.
INT_PTR destroyDialog(HWND dialog) {
  {
    auto& d = desktop();
    std::lock_guard lock(d.mutex);
    d.lastDialogControls = dialogControls(dialog);
    if (const Window* window = d.find(dialog)) d.lastDialog = window->state;
  }
  send(dialog, WM_DESTROY, 0, 0);
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  const Window* window = d.find(dialog);
  const INT_PTR result = window == nullptr ? 0 : window->result;
  destroyWindow(dialog);
  return result;
}

}  // namespace

void setDialogScript(DialogScript script) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  d.script = std::move(script);
}

void setDialogCreationFails(bool fails) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  d.dialogCreationFails = fails;
}

INT_PTR clickButton(HWND dialog, int controlId) {
  const HWND control = usableControl(dialog, controlId);
  if (control == nullptr) return 0;
  return send(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

INT_PTR pressEscape(HWND dialog) { return send(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

INT_PTR clickCloseBox(HWND dialog) { return send(dialog, WM_CLOSE, 0, 0); }

INT_PTR clickLink(HWND dialog, int controlId) {
  const HWND control = usableControl(dialog, controlId);
  if (control == nullptr) return 0;
  NMHDR header{control, static_cast<UINT_PTR>(controlId), NM_CLICK};
  return send(dialog, WM_NOTIFY, static_cast<WPARAM>(controlId), reinterpret_cast<LPARAM>(&header));
}

INT_PTR paintItem(HWND dialog, int controlId) {
  const HWND control = GetDlgItem(dialog, controlId);
  RECT rect{};
  if (control == nullptr || !GetWindowRect(control, &rect)) return 0;
  // The item's own device context, as the window manager lends it for the message.
  const HDC dc = CreateCompatibleDC(nullptr);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_STATIC;
  item.CtlID = static_cast<UINT>(controlId);
  item.itemAction = 1;  // ODA_DRAWENTIRE
  item.hwndItem = control;
  item.hDC = dc;
  item.rcItem = RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  const INT_PTR result = send(dialog, WM_DRAWITEM, static_cast<WPARAM>(controlId), reinterpret_cast<LPARAM>(&item));
  DeleteDC(dc);
  return result;
}

bool dialogEnded(HWND dialog) { return ended(dialog); }

std::vector<WindowState> dialogControls(HWND dialog) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  std::vector<WindowState> controls;
  // Handles are handed out in creation order, which is template order.
  for (const auto& [handle, window] : d.windows) {
    if (!window.topLevel && window.state.parent == dialog) controls.push_back(window.state);
  }
  return controls;
}

std::vector<WindowState> lastDialogControls() {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  return d.lastDialogControls;
}

std::optional<WindowState> lastDialog() {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  return d.lastDialog;
}

}  // namespace win32standin

using win32standin::detail::desktop;

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                               LPARAM initParam) {
  win32standin::DialogScript script;
  {
    auto& d = desktop();
    std::lock_guard lock(d.mutex);
    if (d.dialogCreationFails) return -1;
    script = d.script;
  }
  const auto dialogTemplate =
      win32standin::detail::findDialogTemplate(instance, win32standin::detail::resourceNumber(templateName));
  if (!dialogTemplate || procedure == nullptr) return -1;

  const HWND dialog = win32standin::createDialog(*dialogTemplate, owner, procedure);
  const HWND firstControl = dialogTemplate->controls.empty() ? nullptr : GetDlgItem(dialog, dialogTemplate->controls[0].id);
  win32standin::send(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstControl), initParam);
  if (!win32standin::ended(dialog) && script) script(dialog);
  // The user closes what the script left open; a procedure that ignores the close box gets
  // Cancel, as the dialog manager sends it, and one that ignores both ends with 0.
  if (!win32standin::ended(dialog)) win32standin::clickCloseBox(dialog);
  if (!win32standin::ended(dialog)) win32standin::pressEscape(dialog);
  return win32standin::destroyDialog(dialog);
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
  auto& d = desktop();
  std::lock_guard lock(d.mutex);
  win32standin::detail::Window* window = d.find(dialog);
  if (window == nullptr || window->procedure == nullptr) return FALSE;
  window->ended = true;
  window->result = result;
  return TRUE;
}
