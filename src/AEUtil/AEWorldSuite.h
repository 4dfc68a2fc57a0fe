// Pixel worlds through the host's "PF World Suite".
#pragma once

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"

namespace AEUtil {

// The pixel format of a world. Without version 2 of the suite the deep flag decides between
// 16-bit and 8-bit, which is all such a host can render.
PF_Err getPixelFormat(PF_InData* in_data, const PF_EffectWorld* world, PF_PixelFormat& format);

}  // namespace AEUtil
