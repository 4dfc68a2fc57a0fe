#include "framework/ModuleInstance.h"
#include "params/ParamRegistry.h"
#ifndef _WIN32
#include "resources/StandInResources.h"
#endif

namespace {
HINSTANCE gModuleInstance = nullptr;
}

HINSTANCE moduleInstance() { return gModuleInstance; }

#ifdef _WIN32
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    gModuleInstance = instance;
  } else if (reason == DLL_PROCESS_DETACH) {
    ParamRegistry::instance().clear();
  }
  return TRUE;
}
#else
namespace {
// Where Windows calls DllMain, a static object stands in: the instance handle is the
// module's own address. The registry, a static itself, deletes its objects at unload. The
// resources the resource compiler would have put into the module are handed to the
// stand-in for as long as the module is loaded.
struct ModuleLifetime {
  ModuleLifetime() {
    gModuleInstance = reinterpret_cast<HINSTANCE>(&gModuleInstance);
    registerStandInResources(gModuleInstance);
  }
  ~ModuleLifetime() { unregisterStandInResources(gModuleInstance); }
} gModuleLifetime;
}  // namespace
#endif
