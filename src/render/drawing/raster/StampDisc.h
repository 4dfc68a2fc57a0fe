// Stamping one anti-aliased disc into the canvas's work world: StampSmallDisc scans the
// bounding box (radius under 5 px), StampLargeDisc traces the rim and fills the inside with
// spans. Both keep the canvas's DiscRadius in step with r, draw nothing for bad input (radius
// not above 0 or above kMaxDiscRadiusPx, NaN, centres not finite, no pixels, a disc off the
// canvas) and never write outside the canvas. Both return 0.
#pragma once

#include <algorithm>

#include "AE_Effect.h"
#include "raster/StrokeCanvas.h"

template <class Pixel>
int StampSmallDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp);

// Meant for r ≥ 5; radii under 1 draw nothing.
template <class Pixel>
int StampLargeDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp);

// Queues a large disc on the canvas to be drawn by FlushDeferredDiscs, where that gives the
// pixels drawing it now would (see DeferredDiscs.h): a stamp that can settle, of the one
// colour stamped since the last clear, whose shape is recorded (recorded here when its radius
// repeats, see DiscShapeCache). Discs of another stamp or radius first draw those waiting.
// False: nothing queued, draw it now (after flushing).
template <class Pixel>
bool DeferLargeDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp);

// Draws the waiting discs: every interior first, then every rim.
template <class Pixel>
void FlushDeferredDiscs(StrokeCanvas& canvas);

// Blends a disc that holds the whole canvas into the canvas's palette (see CanvasPalette.h),
// holding the canvas as one first where that pays. False: any other disc, or a canvas not held,
// to be drawn as usual.
template <class Pixel>
bool StampDiscHoldingCanvas(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp);

// Writes the palette's pixels into the world, where the canvas is held as one.
template <class Pixel>
void WriteBackPalette(StrokeCanvas& canvas);

// The stamp loop's disc sink on a canvas: a disc whose box misses the canvas is passed over;
// radii under 5 px are stamped as small discs, from 5 px on as large ones, deferred where that
// changes nothing, or blended into the canvas's palette while only discs that hold the whole
// canvas come. Every disc is drawn, and the palette written back, when the sink goes.
template <class Pixel>
class CanvasDiscSink {
public:
  explicit CanvasDiscSink(StrokeCanvas& canvas) : canvas_(canvas) {}
  ~CanvasDiscSink() {
    FlushDeferredDiscs<Pixel>(canvas_);
    if (canvas_.palette.held()) WriteBackPalette<Pixel>(canvas_);
  }
  CanvasDiscSink(const CanvasDiscSink&) = delete;
  CanvasDiscSink& operator=(const CanvasDiscSink&) = delete;

  void stamp(double x, double y, double radiusPx, const Pixel& stamp) {
    const double width = canvas_.width;
    const double height = canvas_.height;
    const double r = radiusPx;
    const bool boxMissesCanvas = x - r > width || y - r > height || x + r < 0.0 || y + r < 0.0;
    if (!canvas_.pixels || boxMissesCanvas) return;
    // Only a large disc reaching past half the canvas's longer side can hold all of it.
    const bool mayHoldCanvas = r >= 5.0 && 2.0 * (r - 4.0) >= std::max(width, height) - 1.0;
    if (!mayHoldCanvas) {
      canvas_.palette.endRun();
    } else if (StampDiscHoldingCanvas(canvas_, x, y, r, stamp)) {
      return;
    }
    if (canvas_.palette.held()) WriteBackPalette<Pixel>(canvas_);
    if (r >= 5.0 && DeferLargeDisc(canvas_, x, y, r, stamp)) return;
    FlushDeferredDiscs<Pixel>(canvas_);
    if (r < 5.0) {
      StampSmallDisc(canvas_, x, y, r, stamp);
    } else {
      StampLargeDisc(canvas_, x, y, r, stamp);
    }
  }

private:
  StrokeCanvas& canvas_;
};
