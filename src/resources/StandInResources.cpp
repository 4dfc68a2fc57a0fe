#include "resources/StandInResources.h"

#include "resources/OptionsDialogResource.h"
#include "win32standin/Resources.h"

namespace {

// The same template as the resource script's dialog 206.
win32standin::DialogTemplate optionsDialog() {
  using Control = win32standin::DialogControlTemplate;
  win32standin::DialogTemplate dialog{"Option", OPTIONS_DIALOG_RECT, {}};
  dialog.controls = {
      Control{IDOK, "Button", "OK", OPTIONS_OK_RECT},
      Control{IDC_OPTIONS_SETTINGS_GROUP, "Button", "", OPTIONS_SETTINGS_GROUP_RECT},
      Control{IDC_OPTIONS_STORE_DEFAULTS, "Button", "", OPTIONS_STORE_DEFAULTS_RECT},
      Control{IDC_OPTIONS_RESTORE_DEFAULTS, "Button", "", OPTIONS_RESTORE_DEFAULTS_RECT},
      Control{IDC_OPTIONS_BANNER, "Static", "", OPTIONS_BANNER_RECT},
      Control{IDC_OPTIONS_MANUAL_LINK, "SysLink", "", OPTIONS_MANUAL_LINK_RECT},
  };
  return dialog;
}

}  // namespace

void registerStandInResources(HINSTANCE module) {
  win32standin::registerDialogTemplate(module, IDD_INKLINE_OPTIONS, optionsDialog());
  win32standin::registerBitmap(module, IDB_INKLINE_BANNER,
                               win32standin::BitmapTemplate{INKLINE_BANNER_WIDTH, INKLINE_BANNER_HEIGHT, 32});
}

void unregisterStandInResources(HINSTANCE module) { win32standin::unregisterResources(module); }
