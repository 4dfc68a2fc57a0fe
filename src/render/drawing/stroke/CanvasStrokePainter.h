// The painter of one render call and depth: every segment the stroke layout sets up is walked
// by the stamp loop, whose discs are rasterised into the canvas. One disc sink serves a whole
// stroke, so that discs waiting to be drawn (see DeferredDiscs.h) go on from one segment to the
// next; the stroke's end draws them.
#pragma once

#include <optional>

#include "colour/StrokeColours.h"
#include "raster/StampDisc.h"
#include "raster/StrokeCanvas.h"
#include "stroke/StrokePainter.h"

template <class Pixel>
class CanvasStrokePainter final : public StrokePainter {
public:
  // `renderColours`: the render's stroke and gradation colours (centre unused).
  CanvasStrokePainter(StrokeCanvas& canvas, const StrokeColours<Pixel>& renderColours, bool gradation,
                      bool useCentreColour)
      : canvas_(canvas), renderColours_(renderColours), gradation_(gradation), useCentreColour_(useCentreColour) {}

  int canvasWidth() const override { return canvas_.width; }
  int canvasHeight() const override { return canvas_.height; }
  void beginStroke(const ColourShift& shift) override;
  void paintSegment(StrokeRecord& record) override;
  void endStroke() override { sink_.reset(); }

private:
  StrokeCanvas& canvas_;
  std::optional<CanvasDiscSink<Pixel>> sink_;  // of the stroke being painted, from its first segment
  StrokeColours<Pixel> renderColours_;
  StrokeColours<Pixel> strokeColours_;  // of the stroke being painted
  bool gradation_;
  bool useCentreColour_;
};
