#include "framework/ModuleInstance.h"
#include "params/ParamRegistry.h"

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
// module's own address. The registry, a static itself, deletes its objects at unload.
struct ModuleLifetime {
  ModuleLifetime() { gModuleInstance = reinterpret_cast<HINSTANCE>(&gModuleInstance); }
} gModuleLifetime;
}  // namespace
#endif
