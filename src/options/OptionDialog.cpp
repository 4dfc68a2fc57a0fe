#include "options/OptionDialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <mutex>

#include "options/DialogTextTable.h"
#include "resources/OptionsDialogResource.h"

namespace FxOptionDlg {
namespace {

void copyText(char (&destination)[256], const char* text) {
  std::snprintf(destination, sizeof destination, "%s", text != nullptr ? text : "");
}

// The manual link is a SysLink control, a class the common controls register once.
void registerLinkControlClass() {
  static std::once_flag registered;
  std::call_once(registered, [] {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LINK_CLASS;
    InitCommonControlsEx(&controls);
  });
}

}  // namespace

AEFxOptionDialog::AEFxOptionDialog(HINSTANCE instance, HWND owner, const char* title, const char* linkTarget,
                                   bool settingsAvailable, HostLanguage language)
    : DialogBase(instance, owner, IDD_INKLINE_OPTIONS), settingsAvailable_(settingsAvailable), language_(language) {
  copyText(title_, title);
  copyText(linkTarget_, linkTarget);
  registerLinkControlClass();
  banner_ = static_cast<HBITMAP>(LoadImageA(instance_, MAKEINTRESOURCEA(IDB_INKLINE_BANNER), IMAGE_BITMAP, 0, 0,
                                            LR_DEFAULTCOLOR));
}

AEFxOptionDialog::~AEFxOptionDialog() { releaseBanner(); }

void AEFxOptionDialog::releaseBanner() {
  if (banner_ != nullptr) DeleteObject(banner_);
  banner_ = nullptr;
}

INT_PTR AEFxOptionDialog::doModal() { return DialogBase::doModal(); }

INT_PTR AEFxOptionDialog::onInitDialog(HWND window, WPARAM) {
  setText(window, title_);
  centerWindow(window);
  setText(GetDlgItem(window, IDC_OPTIONS_SETTINGS_GROUP), dialogText(kDialogTextSettingsGroup, language_));
  setText(GetDlgItem(window, IDC_OPTIONS_STORE_DEFAULTS), dialogText(kDialogTextStoreDefaults, language_));
  setText(GetDlgItem(window, IDC_OPTIONS_RESTORE_DEFAULTS), dialogText(kDialogTextRestoreDefaults, language_));
  if (!settingsAvailable_) {
    EnableWindow(GetDlgItem(window, IDC_OPTIONS_STORE_DEFAULTS), FALSE);
    EnableWindow(GetDlgItem(window, IDC_OPTIONS_RESTORE_DEFAULTS), FALSE);
  }
  const HWND link = GetDlgItem(window, IDC_OPTIONS_MANUAL_LINK);
  setText(link, dialogText(kDialogTextManualLink, language_));
  if (linkTarget_[0] == '\0') {
    EnableWindow(link, FALSE);
    ShowWindow(link, SW_HIDE);
  }
  return 1;
}

INT_PTR AEFxOptionDialog::onCommand(HWND window, WORD, WORD controlId, HWND) {
  switch (controlId) {
    case IDOK:
    case IDCANCEL: endDialog(window, kOptionNothing); return 1;
    case IDC_OPTIONS_STORE_DEFAULTS: endDialog(window, kOptionStoreDefaults); return 1;
    case IDC_OPTIONS_RESTORE_DEFAULTS: endDialog(window, kOptionRestoreDefaults); return 1;
    default: return 0;
  }
}

INT_PTR AEFxOptionDialog::onNotify(HWND, int controlId, NMHDR* header) {
  if (controlId != IDC_OPTIONS_MANUAL_LINK || header == nullptr || header->code != NM_CLICK) return 0;
  ShellExecuteA(nullptr, "open", linkTarget_, nullptr, nullptr, SW_SHOW);
  return 1;
}

INT_PTR AEFxOptionDialog::onDrawItem(HWND, int controlId, DRAWITEMSTRUCT* item) {
  if (controlId != IDC_OPTIONS_BANNER || item == nullptr) return 0;
  BITMAP size{};
  if (banner_ != nullptr && GetObjectA(banner_, sizeof size, &size) != 0) {
    const HDC memory = CreateCompatibleDC(item->hDC);
    const HGDIOBJ previous = SelectObject(memory, banner_);
    SetStretchBltMode(item->hDC, HALFTONE);
    StretchBlt(item->hDC, item->rcItem.left, item->rcItem.top, item->rcItem.right - item->rcItem.left,
               item->rcItem.bottom - item->rcItem.top, memory, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
  }
  return 1;
}

}  // namespace FxOptionDlg
