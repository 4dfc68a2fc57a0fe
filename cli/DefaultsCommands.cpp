// --save-defaults and --reset-defaults: the module's own options command, with a user who
// presses the button of that name in its dialog, as in After Effects.
#include <shlobj.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "Commands.h"
#include "ExitCodes.h"
#include "PluginSession.h"
#include "SceneParser.h"
#include "SceneSetup.h"
#include "win32standin/Desktop.h"

namespace inkline_cli {
namespace {

constexpr const char* kStoreButton = "Set current parameter values to default";
constexpr const char* kRestoreButton = "Restore initial default parameter values";

// Opens the options dialog and presses the button labelled `button`. Throws RenderFailure
// when the dialog does not open or offers no such enabled button.
void chooseInOptionsDialog(PluginSession& session, const std::string& button) {
  bool opened = false;
  bool pressed = false;
  win32standin::setDialogScript([&](HWND dialog) {
    opened = true;
    for (const win32standin::WindowState& control : win32standin::dialogControls(dialog)) {
      if (control.text == button && control.enabled && control.visible) {
        win32standin::clickButton(dialog, control.controlId);
        pressed = win32standin::dialogEnded(dialog);
        return;
      }
    }
  });
  const aehost::CommandResult result = session.effect().doDialog();
  win32standin::setDialogScript(nullptr);
  if (result.err != PF_Err_NONE) throw RenderFailure("the options command failed: error " + std::to_string(result.err));
  if (!opened) throw RenderFailure("the options command opened no dialog");
  if (!pressed) throw RenderFailure("the options dialog has no enabled \"" + button + "\" button");
}

// Where the effect keeps the stored defaults: "Inkline.ini" in "Tarsk/Vellum" below the
// application-data folder; empty when that folder does not exist.
std::filesystem::path settingsFile() {
  char folder[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, FALSE)) return {};
  return std::filesystem::path(folder) / "Tarsk" / "Vellum" / "Inkline.ini";
}

}  // namespace

int saveDefaults(const Arguments& arguments) {
  const Scene scene = readSceneFile(*arguments.scene);
  PluginSession session(arguments.modulePath, compositionFor(scene));
  applySceneLayer(scene, session.effect());
  session.setUpGlobal();
  applySceneParams(scene, session.effect());
  session.setUpSequence();
  chooseInOptionsDialog(session, kStoreButton);
  const std::filesystem::path file = settingsFile();
  if (file.empty() || !std::filesystem::exists(file)) {
    throw RenderFailure("the effect stored no defaults: its settings file needs an existing application-data "
                        "folder ($XDG_CONFIG_HOME, else ~/.config)");
  }
  std::cerr << "stored the parameter values of " << arguments.scene->string() << " at frame " << scene.frames.first
            << " as the effect's defaults in " << file.string() << "\n";
  return reportHostProblems(session.finish());
}

int resetDefaults(const Arguments& arguments) {
  PluginSession session(arguments.modulePath);
  session.setUpGlobal();
  session.setUpSequence();
  chooseInOptionsDialog(session, kRestoreButton);
  const std::filesystem::path file = settingsFile();
  if (!file.empty() && std::filesystem::exists(file)) throw RenderFailure("the effect left " + file.string());
  std::cerr << "restored the effect's initial defaults\n";
  return reportHostProblems(session.finish());
}

}  // namespace inkline_cli
