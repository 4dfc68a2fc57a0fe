// Pixel worlds through the host's "PF World Suite": the format of a world, and temporary
// worlds owned by an EffectWorldPtr.
#pragma once

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"
#include "AEUtil/EffectWorldPtr.h"

namespace AEUtil {

class WorldSuite {
public:
  // The pixel format of a world. Without version 2 of the suite the deep flag decides between
  // 16-bit and 8-bit, which is all such a host can render.
  // In a smart render the render's depth (8, 16 or 32) decides instead: the flags cannot tell
  // a float world from an 8-bit one.
  static PF_Err getPixelFormat(PF_InData* in_data, const PF_EffectWorld* world, PF_PixelFormat& format,
                               short smartRenderBitDepth = 0);

  // A new world, with every channel zero when `clearPixels` (otherwise as the host's memory
  // comes: the caller clears what it uses). Throws AEException with the host's code when the
  // host cannot make it, and PF_Err_BAD_CALLBACK_PARAM for a float world on a host without
  // version 2 of the suite (the older version has no float worlds).
  static EffectWorldPtr newWorld(PF_InData* in_data, A_long width, A_long height, PF_PixelFormat format,
                                 bool clearPixels);
};

}  // namespace AEUtil
