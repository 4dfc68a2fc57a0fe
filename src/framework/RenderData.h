// What the render handlers hand to the effect's render: the parameter values of the frame
// and the call's host data. In the SmartFX path it lives in the pre-render handle.
#pragma once

#include <type_traits>

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"
#include "effect/ParamRecord.h"

struct RenderData {
  ParamRecord params;
  PF_InData* in_data;
  PF_OutData* out_data;
  PF_EffectWorld* input;
  PF_EffectWorld* output;
  PF_PixelFormat pixelFormat;  // PF_PixelFormat_INVALID ('badf') until known
};
// The SmartFX path builds it in a host handle that the host frees without a destructor.
static_assert(std::is_trivially_destructible_v<RenderData> && std::is_trivially_copyable_v<RenderData>);
