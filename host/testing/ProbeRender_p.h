#pragma once

// The probe's render commands, SmartFX and classic (ProbeRender.cpp).

#include <mutex>

#include "AE_Effect.h"
#include "aehost_testing/ProbeControl.h"

aehost::testing::ProbeControl& probeControl();
// Held while writing records: renders of several frames may run at once.
std::mutex& probeRecordMutex();

PF_Err probeSmartPreRender(PF_InData* in, PF_PreRenderExtra* extra);
PF_Err probeSmartRender(PF_InData* in, PF_SmartRenderExtra* extra);
PF_Err probeFrameSetup(PF_InData* in, PF_OutData* out);
PF_Err probeRender(PF_InData* in, PF_ParamDef* params[], PF_LayerDef* output);
PF_Err probeFrameSetdown(PF_InData* in);
