// The module's one export. Every host command passes through here.
#include <atomic>

#include "AE_Effect.h"
#include "framework/BaseFilter.h"
#include "framework/EffectHooks.h"
#include "framework/ErrorGuard.h"
#include "framework/SuiteHandler.h"

#ifdef _WIN32
#define INKLINE_EXPORT extern "C" __declspec(dllexport)
#else
#define INKLINE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

// After Effects' application id; the effect runs in no other host.
constexpr A_long kAfterEffectsApplId = 'FXTC';

BaseFilter* gFilter = nullptr;
// Set once the first call has built the filter and the parameter list. The host makes that
// call on its main thread before any render thread starts; afterwards all is only read.
std::atomic<bool> gInitialised{false};

PF_Err initialiseOnFirstCall(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output) {
  if (gFilter == nullptr) gFilter = &constructEffectFilter();
  buildEffectParameters();
  const PF_Err err = gFilter->firstCallHook(in_data, out_data, params, output);
  gInitialised.store(true, std::memory_order_release);
  return err;
}

}  // namespace

INKLINE_EXPORT PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                                     PF_LayerDef* output, void* extra) {
  if (in_data == nullptr || in_data->appl_id != kAfterEffectsApplId) return PF_Err_BAD_CALLBACK_PARAM;

  return runGuarded(out_data, [&]() -> PF_Err {
    SuiteHandler suites(in_data->pica_basicP);
    PF_Err err = PF_Err_NONE;
    if (!gInitialised.load(std::memory_order_acquire)) err = initialiseOnFirstCall(in_data, out_data, params, output);
    if (err == PF_Err_NONE) err = gFilter->dispatch(cmd, in_data, out_data, params, output, extra);
    if (cmd == PF_Cmd_GLOBAL_SETDOWN) {
      // Destroyed in place; its storage stays. Should a host ever call again, the next
      // command builds everything anew instead of reaching a destroyed filter.
      gFilter->~BaseFilter();
      gFilter = nullptr;
      gInitialised.store(false, std::memory_order_release);
    }
    return err;
  });
}
