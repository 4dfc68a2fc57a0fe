// A user working the real options dialog from a second thread while the module's modal
// loop runs on the test's thread: finds the dialog, reads what it shows, and acts through
// posted messages, as mouse and keyboard would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

struct DialogView {
  bool found = false;
  std::wstring title, group, store, restore, link;
  bool storeEnabled = false, restoreEnabled = false, linkVisible = false;
  bool mainWindowEnabled = true;  // while the dialog was open
  RECT rect{};
};

class DialogUser {
 public:
  // `act` gets the dialog once it is open and visible.
  DialogUser(HWND mainWindow, std::function<void(HWND)> act);
  ~DialogUser();
  DialogUser(const DialogUser&) = delete;
  DialogUser& operator=(const DialogUser&) = delete;

  // Waits for the user to finish; what the dialog showed.
  DialogView finish();

 private:
  DialogView view_;
  std::thread thread_;
};

// The user's actions, posted to the dialog's thread.
void clickButton(HWND dialog, int controlId);
void pressEscape(HWND dialog);
void clickCloseBox(HWND dialog);
void clickLink(HWND dialog, int controlId);
// Waits until the window is gone (the dialog closed), up to a few seconds.
bool waitUntilClosed(HWND dialog);
