// The options dialog: store the current parameter values as the user's defaults, restore
// the built-in ones, or open the online manual.
#pragma once

#include <windows.h>

#include "framework/HostLanguage.h"
#include "options/DialogBase.h"

namespace FxOptionDlg {

// What the user chose.
enum OptionDialogResult : INT_PTR {
  kOptionNothing = 0,          // OK, Cancel, Escape, the close box
  kOptionStoreDefaults = 1,    // "Set current parameter values to default"
  kOptionRestoreDefaults = 2,  // "Restore initial default parameter values"
};

class AEFxOptionDialog : public tarskDlg::DialogBase {
 public:
  AEFxOptionDialog(HINSTANCE instance, HWND owner, const char* title, const char* linkTarget, bool settingsAvailable,
                   HostLanguage language);
  ~AEFxOptionDialog() override;

  INT_PTR doModal() override;
  INT_PTR onInitDialog(HWND window, WPARAM wParam) override;
  INT_PTR onCommand(HWND window, WORD notificationCode, WORD controlId, HWND control) override;
  INT_PTR onNotify(HWND window, int controlId, NMHDR* header) override;
  INT_PTR onDrawItem(HWND window, int controlId, DRAWITEMSTRUCT* item) override;

 private:
  void releaseBanner();

  char title_[256] = {};
  char linkTarget_[256] = {};  // empty: no link
  bool settingsAvailable_;
  HostLanguage language_;
  HBITMAP banner_ = nullptr;
};

}  // namespace FxOptionDlg
