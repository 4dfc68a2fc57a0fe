#include "MiniHost.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "AE_AdvEffectSuites.h"
#include "AE_EffectCB.h"
#include "SPBasic.h"

namespace {

MiniHost* gHost = nullptr;
std::string* gLanguage = nullptr;
bool* gProvideAppSuite = nullptr;
std::vector<PF_ParamDef>* gAdded = nullptr;

int ansiSprintf(A_char* buffer, const A_char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int written = std::vsprintf(buffer, format, arguments);
  va_end(arguments);
  return written;
}

A_char* ansiStrcpy(A_char* destination, const A_char* source) { return std::strcpy(destination, source); }

HWND gMainWindow = nullptr;

PF_Err getPlatformData(PF_ProgPtr, PF_PlatDataID which, void* data) {
  if (which != PF_PlatData_MAIN_WND || data == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  *static_cast<HWND*>(data) = gMainWindow;
  return PF_Err_NONE;
}

PF_Err addParam(PF_ProgPtr, PF_ParamIndex, PF_ParamDefPtr def) {
  gAdded->push_back(*def);
  return PF_Err_NONE;
}

SPAPI PF_Err appGetLanguage(A_char* tag) {
  std::snprintf(tag, 6, "%s", gLanguage->c_str());
  return PF_Err_NONE;
}

PFAppSuite5 gAppSuite{};

SPAPI SPErr acquireSuite(const char* name, int version, const void** suite) {
  if (*gProvideAppSuite && std::strcmp(name, kPFAppSuite) == 0 && version == kPFAppSuiteVersion5) {
    gAppSuite.PF_AppGetLanguage = appGetLanguage;
    *suite = &gAppSuite;
    return kSPNoError;
  }
  return kSPSuiteNotFoundError;
}

SPAPI SPErr releaseSuite(const char*, int) { return kSPNoError; }

SPBasicSuite gBasicSuite{acquireSuite, releaseSuite, nullptr, nullptr, nullptr, nullptr, nullptr};

std::string modulePath() {
  if (const char* path = std::getenv("INKLINE_AEX")) return path;
  return INKLINE_AEX_PATH;
}

LRESULT CALLBACK mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

MiniHost::MiniHost() {
  if (gHost != nullptr) throw std::logic_error("one MiniHost at a time");
  gHost = this;
  gLanguage = &language;
  gProvideAppSuite = &provideAppSuite;
  gAdded = &params_;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = mainWindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "InklineMiniHostMain";
  RegisterClassA(&windowClass);  // fails harmlessly when an earlier host registered it
  mainWindow_ = CreateWindowExA(0, "InklineMiniHostMain", "Mini host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30,
                                900, 600, nullptr, nullptr, windowClass.hInstance, nullptr);
  gMainWindow = mainWindow_;

  module_ = LoadLibraryA(modulePath().c_str());
  if (module_ == nullptr) throw std::runtime_error("cannot load " + modulePath());
  entry_ = reinterpret_cast<decltype(entry_)>(reinterpret_cast<void*>(GetProcAddress(module_, "EntryPointFunc")));
  if (entry_ == nullptr) throw std::runtime_error("no EntryPointFunc in " + modulePath());

  params_.push_back(PF_ParamDef{});  // the input layer
  if (send(PF_Cmd_GLOBAL_SETUP) != PF_Err_NONE || send(PF_Cmd_PARAMS_SETUP) != PF_Err_NONE) {
    throw std::runtime_error("the module's set-up failed");
  }
}

MiniHost::~MiniHost() {
  send(PF_Cmd_GLOBAL_SETDOWN);
  FreeLibrary(module_);
  DestroyWindow(mainWindow_);
  gMainWindow = nullptr;
  gHost = nullptr;
}

PF_Err MiniHost::send(PF_Cmd cmd) {
  PF_UtilCallbacks utils{};
  utils.ansi.sprintf = ansiSprintf;
  utils.ansi.strcpy = ansiStrcpy;
  utils.get_platform_data = getPlatformData;
  PF_InData in{};
  in.inter.add_param = addParam;
  in.utils = &utils;
  in.effect_ref = reinterpret_cast<PF_ProgPtr>(this);
  in.version = version;
  in.appl_id = 'FXTC';
  in.pica_basicP = &gBasicSuite;
  out_ = PF_OutData{};
  std::vector<PF_ParamDef*> pointers;
  for (PF_ParamDef& def : params_) pointers.push_back(&def);
  const bool carriesParams = cmd == PF_Cmd_DO_DIALOG;
  return entry_(cmd, &in, &out_, carriesParams ? pointers.data() : nullptr, nullptr, nullptr);
}

std::string MiniHost::about() {
  send(PF_Cmd_ABOUT);
  return out_.return_msg;
}

PF_ParamDef& MiniHost::param(const char* name) {
  for (PF_ParamDef& def : params_) {
    if (std::strcmp(def.name, name) == 0) return def;
  }
  throw std::out_of_range(std::string("no parameter ") + name);
}
