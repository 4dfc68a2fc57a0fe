// The drawing target of one render call: the pixels of the work world every stroke is stamped
// into, plus the rasteriser's scratch state. Plain data; the world belongs to the caller.
#pragma once

#include "AE_Effect.h"
#include "raster/DiscRadius.h"
#include "raster/SpanBuffer.h"

struct StrokeCanvas {
  void* pixels = nullptr;  // the work world's first pixel; none: no stamp is drawn
  A_long rowbytes = 0;     // bytes per row
  A_long width = 0;        // px
  A_long height = 0;       // px
  SpanBuffer spanBuffer;
  DiscRadius radius;

  // Takes pixels, rowbytes, width and height from the world's own fields (none: no world).
  void attachWorld(const PF_EffectWorld* world) {
    pixels = world ? world->data : nullptr;
    rowbytes = world ? world->rowbytes : 0;
    width = world ? world->width : 0;
    height = world ? world->height : 0;
  }
};
