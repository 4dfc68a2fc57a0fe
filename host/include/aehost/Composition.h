#pragma once

#include "AE_Effect.h"

namespace aehost {

// The composition and layer an effect instance lives in, as far as PF_InData reports it.
// The layer fills the composition.
struct Composition {
  A_long widthPx = 1920;
  A_long heightPx = 1080;
  A_u_long timeScale = 24;   // ticks per second
  A_long timeStep = 1;       // ticks per frame: 24 fps
  A_long durationTicks = 240;  // total_time: 10 seconds
  A_long currentTimeTicks = 0;
  PF_Quality quality = PF_Quality_HI;
  PF_Field field = PF_Field_FRAME;
};

}  // namespace aehost
