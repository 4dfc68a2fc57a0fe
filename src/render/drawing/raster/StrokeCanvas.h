// The drawing target of one render call: the pixels of the work world every stroke is stamped
// into, the pixels stamps have touched since it was last cleared, the pixels the current
// stamp can no longer change, the colour of the stamps so far, discs waiting to be drawn, the
// pixels held as a palette while discs holding the whole canvas are drawn, and the
// rasteriser's scratch state and recorded disc shapes. The world belongs to the
// caller, who calls markCleared() whenever it clears it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "AE_Effect.h"
#include "raster/CanvasPalette.h"
#include "raster/DeferredDiscs.h"
#include "raster/DiscRadius.h"
#include "raster/DiscShape.h"
#include "raster/FloorToInt.h"
#include "raster/ScaledStamps.h"
#include "raster/SettledRows.h"
#include "raster/SpanBuffer.h"
#include "raster/TouchedArea.h"
#include "raster/WideRowGroups.h"

struct StrokeCanvas {
  void* pixels = nullptr;  // the work world's first pixel; none: no stamp is drawn
  A_long rowbytes = 0;     // bytes per row
  A_long width = 0;        // px
  A_long height = 0;       // px
  std::size_t pixelBytes = 0;
  // Every pixel a stamp may have changed lies in here; outside it the work world is as it was
  // when last cleared.
  TouchedArea touched;
  SettledRows settledRows;
  StampColours stampColours;  // of the stamps since the last clear
  DeferredDiscs deferredDiscs;
  CanvasPalette palette;
  SpanBuffer spanBuffer;
  raster::DiscShapeCache discShapes;
  ScaledStamps scaledStamps;
  DiscRadius radius;
  // Whether queued discs' interiors are gathered eight rows at a time (the processor has AVX2).
  bool wideRowGroups = raster::processorRunsWideRowGroups();

  bool untouched() const { return touched.empty(); }
  // The work world was cleared: nothing is touched, nothing settled.
  void markCleared() {
    touched.forget();
    forgetStamps();
  }

  // Counts the work world as cleared without clearing it: the tiles stamps touched are cleared
  // when a stamp next touches them, and only those (StrokeOutput::clearWorkWorld).
  void clearLazily() {
    touched.forgetUncleared();
    forgetStamps();
  }

  // No stamp drawn since the last clear.
  void forgetStamps() {
    settledRows.forget();
    stampColours.forget();
    deferredDiscs.clear();
    palette.drop();
  }

  // Grows `touched` by the pixels within `reach` of (x, y), clipped to the canvas.
  void touchDisc(double x, double y, double reach) {
    if (!std::isfinite(x) || !std::isfinite(y) || !(reach >= 0.0)) return;
    // floor(v) + past, within 0 … size (v bounded first: past the canvas every v gives the same).
    const auto clipped = [](double v, int past, A_long size) {
      const std::int64_t whole = raster::floorToInt(std::clamp(v, -2.0, size + 2.0)) + past;
      return static_cast<A_long>(std::clamp<std::int64_t>(whole, 0, size));
    };
    const PF_LRect box{clipped(x - reach, 0, width), clipped(y - reach, 0, height), clipped(x + reach, 1, width),
                       clipped(y + reach, 1, height)};
    if (box.left >= box.right || box.top >= box.bottom) return;
    touched.add(box, [this](const PF_LRect& tiles) { clearPixels(tiles); });
  }

  // Takes pixels, rowbytes, width and height from the world's own fields (none: no world), of
  // `bytesPerPixel` each. A world made without clearing is cleared a tile at a time, where
  // stamps first touch it.
  void attachWorld(const PF_EffectWorld* world, std::size_t bytesPerPixel, bool pixelsCleared) {
    pixels = world ? world->data : nullptr;
    rowbytes = world ? world->rowbytes : 0;
    width = world ? world->width : 0;
    height = world ? world->height : 0;
    pixelBytes = bytesPerPixel;
    touched.reset(width, height, pixelsCleared);
    settledRows.resize(height);
    stampColours.forget();
    deferredDiscs.clear();
    palette.drop();
  }

private:
  // Transparent black is all bytes zero in every depth.
  void clearPixels(const PF_LRect& rect) {
    if (!pixels) return;
    const std::size_t bytes = static_cast<std::size_t>(rect.right - rect.left) * pixelBytes;
    for (A_long y = rect.top; y < rect.bottom; ++y) {
      char* row = static_cast<char*>(pixels) + static_cast<std::ptrdiff_t>(y) * rowbytes;
      std::memset(row + static_cast<std::ptrdiff_t>(rect.left) * static_cast<std::ptrdiff_t>(pixelBytes), 0, bytes);
    }
  }
};
