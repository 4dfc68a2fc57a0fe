#include "options/OptionsCommand.h"

#include <windows.h>

#include <vector>

#include "AE_EffectCB.h"
#include "framework/HostLanguage.h"
#include "framework/HostVersion.h"
#include "framework/ModuleInstance.h"
#include "options/OptionDialog.h"
#include "options/SettingsFile.h"
#include "params/BaseParam.h"
#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"
#include "resources/OptionsDialogResource.h"

namespace {

// The process's visible, enabled top-level windows, disabled while the dialog is open and
// enabled again when this goes, on every path.
class DisabledHostWindows {
 public:
  DisabledHostWindows() {
    EnumWindows(collect, reinterpret_cast<LPARAM>(this));
    for (HWND window : windows_) EnableWindow(window, FALSE);
  }
  ~DisabledHostWindows() {
    for (HWND window : windows_) EnableWindow(window, TRUE);
  }
  DisabledHostWindows(const DisabledHostWindows&) = delete;
  DisabledHostWindows& operator=(const DisabledHostWindows&) = delete;

 private:
  static BOOL CALLBACK collect(HWND window, LPARAM data) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId() && IsWindowVisible(window) && IsWindowEnabled(window)) {
      reinterpret_cast<DisabledHostWindows*>(data)->windows_.push_back(window);
    }
    return TRUE;
  }
  std::vector<HWND> windows_;
};

HWND hostMainWindow(const PF_InData* in_data) {
  void* window = nullptr;
  if (in_data->utils == nullptr || in_data->utils->get_platform_data == nullptr ||
      in_data->utils->get_platform_data(in_data->effect_ref, PF_PlatData_MAIN_WND, &window) != PF_Err_NONE) {
    return nullptr;
  }
  return static_cast<HWND>(window);
}

INT_PTR runDialog(PF_InData* in_data) {
  const HWND mainWindow = hostMainWindow(in_data);
  const HostLanguage language = lookUpHostLanguage(in_data);
  FxOptionDlg::AEFxOptionDialog dialog(moduleInstance(), mainWindow, localizedString(kStringName, language),
                                       localizedString(kStringManualAddress, language),
                                       hostReadsStoredDefaults(in_data->version), language);
  DisabledHostWindows disabled;
  const INT_PTR result = dialog.doModal();
  return result == -1 ? FxOptionDlg::kOptionNothing : result;
}

// Every value as the command's params array holds it, then each definition's value written
// as its default. A value that cannot be read ends the reading; every definition still
// stores what it holds.
void storeCurrentValues(PF_InData* in_data, PF_ParamDef* params[], const char* settingsPath) {
  const ParamRegistry& registry = ParamRegistry::instance();
  GetParamFromArray getter(params);
  std::size_t readCount = 0;
  registry.readAll(nullptr, getter, readCount);
  registry.releaseAll(getter, readCount);
  for (PF_ParamIndex index = 1; index < registry.paramCount(); ++index) {
    if (BaseParam* param = registry.atIndex(index)) param->storeDefault(in_data, settingsPath);
  }
}

}  // namespace

void runOptionsCommand(PF_InData* in_data, PF_ParamDef* params[]) {
  const INT_PTR choice = runDialog(in_data);
  if (choice != FxOptionDlg::kOptionStoreDefaults && choice != FxOptionDlg::kOptionRestoreDefaults) return;
  char settingsPath[MAX_PATH] = {};
  if (!settingsFilePath(settingsPath)) return;
  createSettingsFolder(settingsPath);
  if (choice == FxOptionDlg::kOptionRestoreDefaults) {
    removeSettingsFile(settingsPath);
  } else {
    storeCurrentValues(in_data, params, settingsPath);
  }
}
