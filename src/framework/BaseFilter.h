// The filter: one object per loaded module, one virtual handler per host command. The
// entry point constructs it on the first call and dispatches every command to it.
#pragma once

#include "AE_Effect.h"

struct RenderData;

class BaseFilter {
public:
  BaseFilter();
  virtual ~BaseFilter();
  BaseFilter(const BaseFilter&) = delete;
  BaseFilter& operator=(const BaseFilter&) = delete;

  // Routes one command to its handler; commands without a handler succeed untouched.
  virtual PF_Err dispatch(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                          PF_LayerDef* output, void* extra);

  virtual PF_Err about(PF_InData* in_data, PF_OutData* out_data);
  virtual PF_Err globalSetup(PF_InData* in_data, PF_OutData* out_data);
  virtual PF_Err globalSetdown(PF_InData* in_data, PF_OutData* out_data);
  virtual PF_Err paramsSetup(PF_InData* in_data, PF_OutData* out_data);
  virtual PF_Err userChangedParam(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], void* extra);
  virtual PF_Err updateParamsUI(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[]);
  virtual PF_Err render(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output);
  virtual PF_Err smartPreRender(PF_InData* in_data, PF_OutData* out_data, void* extra);
  virtual PF_Err smartRender(PF_InData* in_data, PF_OutData* out_data, void* extra);
  virtual PF_Err sequenceSetup(PF_InData* in_data, PF_OutData* out_data);
  virtual PF_Err sequenceSetdown(PF_InData* in_data, PF_OutData* out_data);
  virtual PF_Err sequenceFlatten(PF_InData* in_data, PF_OutData* out_data);
  virtual PF_Err getFlattenedSequenceData(PF_InData* in_data, PF_OutData* out_data);
  virtual PF_Err sequenceResetup(PF_InData* in_data, PF_OutData* out_data);
  virtual PF_Err queryDynamicFlags(PF_InData* in_data, PF_OutData* out_data);
  virtual PF_Err event(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], void* extra);
  virtual PF_Err arbitraryCallback(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], void* extra);

  // Hooks around rendering, given the call's RenderData.
  virtual PF_Err preRenderHook(PF_InData* in_data, PF_OutData* out_data, PF_PreRenderExtra* extra,
                               RenderData& renderData);
  virtual PF_Err beforeRenderHook(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra,
                                  RenderData& renderData);
  virtual PF_Err sequenceSetupAnew(PF_InData* in_data, PF_OutData* out_data);
  virtual PF_Err firstCallHook(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                               PF_LayerDef* output);
  virtual PF_Err renderEffect(RenderData& renderData);

protected:
  // Checks out the input layer (index 0, checkout id 0) for the host's request at the current time.
  static PF_Err checkOutInputLayer(PF_InData* in_data, PF_PreRenderExtra* extra, PF_CheckoutResult& checkout);
};
