#include "DialogUser.h"

#include <commctrl.h>

namespace {

std::wstring text(HWND window) {
  wchar_t buffer[512] = {};
  GetWindowTextW(window, buffer, 512);
  return buffer;
}

HWND waitForDialog(HWND owner) {
  for (int tries = 0; tries < 500; ++tries) {
    HWND dialog = FindWindowA("#32770", "Inkline");
    if (dialog != nullptr && GetWindow(dialog, GW_OWNER) == owner && IsWindowVisible(dialog)) return dialog;
    Sleep(20);
  }
  return nullptr;
}

}  // namespace

DialogUser::DialogUser(HWND mainWindow, std::function<void(HWND)> act)
    : thread_([this, mainWindow, act = std::move(act)] {
        const HWND dialog = waitForDialog(mainWindow);
        if (dialog == nullptr) return;
        view_.found = true;
        view_.title = text(dialog);
        view_.group = text(GetDlgItem(dialog, 2000));
        view_.store = text(GetDlgItem(dialog, 2001));
        view_.restore = text(GetDlgItem(dialog, 2002));
        view_.link = text(GetDlgItem(dialog, 2060));
        view_.storeEnabled = IsWindowEnabled(GetDlgItem(dialog, 2001)) != FALSE;
        view_.restoreEnabled = IsWindowEnabled(GetDlgItem(dialog, 2002)) != FALSE;
        view_.linkVisible = IsWindowVisible(GetDlgItem(dialog, 2060)) != FALSE;
        view_.mainWindowEnabled = IsWindowEnabled(mainWindow) != FALSE;
        GetWindowRect(dialog, &view_.rect);
        act(dialog);
        // A user who did nothing that closes it closes it with the close box, so the
        // command returns.
        if (!waitUntilClosed(dialog)) PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      }) {}

DialogUser::~DialogUser() {
  if (thread_.joinable()) thread_.join();
}

DialogView DialogUser::finish() {
  if (thread_.joinable()) thread_.join();
  return view_;
}

void clickButton(HWND dialog, int controlId) { PostMessageA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0); }

void pressEscape(HWND dialog) { PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0); }

void clickCloseBox(HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

void clickLink(HWND dialog, int controlId) {
  const HWND link = GetDlgItem(dialog, controlId);
  const LPARAM onTheText = MAKELPARAM(6, 6);
  PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, onTheText);
  PostMessageA(link, WM_LBUTTONUP, 0, onTheText);
}

bool waitUntilClosed(HWND dialog) {
  for (int tries = 0; tries < 150; ++tries) {
    if (!IsWindow(dialog)) return true;
    Sleep(20);
  }
  return false;
}
