// The drawing target of one render call: the work world every stroke is stamped into, plus the
// rasteriser's scratch state. Host pointers are carried as plain data for the render driver;
// nothing here calls the host.
#pragma once

#include "AE_Effect.h"
#include "render/DiscRadius.h"
#include "render/SpanBuffer.h"

struct StrokeCanvas {
  PF_InData* inData = nullptr;
  PF_OutData* outData = nullptr;
  PF_EffectWorld* workWorld = nullptr;  // no world: no stamp is drawn
  void* pixels = nullptr;               // the work world's first pixel
  A_long rowbytes = 0;                  // bytes per row
  A_long width = 0;                     // px
  A_long height = 0;                    // px
  SpanBuffer spanBuffer;
  DiscRadius radius;

  StrokeCanvas() { spanBuffer.canvas = this; }
  // The span buffer points back here: a canvas stays where it was made.
  StrokeCanvas(const StrokeCanvas&) = delete;
  StrokeCanvas& operator=(const StrokeCanvas&) = delete;

  // Takes pixels, rowbytes, width and height from the world's own fields.
  void attachWorld(PF_EffectWorld* world) {
    workWorld = world;
    pixels = world ? world->data : nullptr;
    rowbytes = world ? world->rowbytes : 0;
    width = world ? world->width : 0;
    height = world ? world->height : 0;
  }
};
