// A modal dialog whose window messages reach virtual handlers: one dialog procedure serves
// every dialog, finding the object through a map from window handle to dialog.
#pragma once

#include <windows.h>

#include <string>

namespace tarskDlg {

class DialogBase {
 public:
  DialogBase(HINSTANCE instance, HWND owner, WORD templateId);
  virtual ~DialogBase();
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;

  // Runs the dialog until it ends: its result, or -1 when it could not be created.
  virtual INT_PTR doModal();

  // Handlers: a non-zero result means handled (and is the procedure's result).
  virtual INT_PTR preTranslate(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  virtual INT_PTR onInitDialog(HWND window, WPARAM wParam);
  virtual INT_PTR onCommand(HWND window, WORD notificationCode, WORD controlId, HWND control);
  virtual INT_PTR onAppMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  virtual INT_PTR onNotify(HWND window, int controlId, NMHDR* header);
  virtual INT_PTR onPaint(HWND window);
  virtual INT_PTR onDrawItem(HWND window, int controlId, DRAWITEMSTRUCT* item);
  virtual INT_PTR onClose(HWND window);
  virtual INT_PTR onDestroy(HWND window);

  // Centres the window on its owner, or without one on the monitor under the cursor, never
  // closer than 32 pixels to the reference's left or top edge.
  virtual void centerWindow(HWND window);
  virtual void setText(HWND window, const std::string& text);
  virtual void setText(HWND window, const char* text);
  virtual void endDialog(HWND window, INT_PTR result);

  HWND window() const { return window_; }

 protected:
  HINSTANCE instance_;
  HWND owner_;
  HWND window_ = nullptr;  // set by WM_INITDIALOG
  WORD templateId_;

 private:
  static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace tarskDlg
