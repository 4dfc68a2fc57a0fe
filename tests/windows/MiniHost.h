// Just enough of After Effects to reach the options dialog, the about box and the language
// lookup of Inkline.aex on the real Windows API: the module loaded with LoadLibrary, global
// and parameter set-up, then the commands a test sends. One host at a time, on the thread
// that made it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "AE_Effect.h"

class MiniHost {
 public:
  MiniHost();  // loads the module named by INKLINE_AEX, else the one beside the build
  ~MiniHost();
  MiniHost(const MiniHost&) = delete;
  MiniHost& operator=(const MiniHost&) = delete;

  // What the host says of itself; read at each command.
  std::string language = "en_US";  // PF_AppGetLanguage
  bool provideAppSuite = true;     // false: "PF AE App Suite" cannot be acquired
  PF_SpecVersion version{13, 27};

  PF_Err send(PF_Cmd cmd);
  std::string about();  // PF_Cmd_ABOUT's return_msg
  PF_ParamDef& param(const char* name);

  // The application's main window: a real top-level window, owner of the dialog.
  HWND mainWindow() const { return mainWindow_; }

 private:
  HMODULE module_ = nullptr;
  PF_Err (*entry_)(PF_Cmd, PF_InData*, PF_OutData*, PF_ParamDef*[], PF_LayerDef*, void*) = nullptr;
  HWND mainWindow_ = nullptr;
  std::vector<PF_ParamDef> params_;  // index 0: the input layer
  PF_OutData out_{};
};
