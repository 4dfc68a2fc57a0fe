// The oracle of stamping: every disc blended in full, pixel by pixel, as the rasterisers hand
// its pixels over; no skipping of any kind. The canvas painter must give the same bits.
#pragma once

#include "colour/StrokeColours.h"
#include "pixel/BlendStampPixel.h"
#include "raster/DiscRaster.h"
#include "raster/StampBlitter.h"
#include "raster/StrokeCanvas.h"
#include "stroke/DrawStrokeSegment.h"
#include "stroke/StrokePainter.h"

template <class Pixel>
class StraightforwardDiscSink {
public:
  explicit StraightforwardDiscSink(StrokeCanvas& canvas) : canvas_(canvas) {}

  // The same discs as the canvas sink: culled by their box, small below 5 px, large from 5 px.
  void stamp(double x, double y, double r, const Pixel& stamp) {
    const bool boxMissesCanvas = x - r > canvas_.width || y - r > canvas_.height || x + r < 0.0 || y + r < 0.0;
    if (boxMissesCanvas || !canvasAcceptsStamps<Pixel>(canvas_) || !(stamp.alpha > 0)) return;
    stamp_ = stamp;
    if (r < 5.0) {
      if (!(r > 0.0 && r <= kMaxDiscRadiusPx)) return;
      raster::smallDisc(canvas_.width, canvas_.height, x, y, r, DiscRadius::of(r), *this);
    } else {
      if (!(r >= 1.0 && r <= kMaxDiscRadiusPx)) return;
      raster::largeDisc(canvas_.width, canvas_.height, x, y, r, DiscRadius::of(r), canvas_.spanBuffer, *this);
    }
  }

  void pixel(int px, int py, int coverage) {
    Pixel scaled = stamp_;
    scaled.alpha = PixelTraits<Pixel>::scaleByCoverage(stamp_.alpha, coverage);
    BlendStampPixel(at(px, py), scaled);
  }
  void span(int py, int x0, int x1) {
    for (int px = x0; px <= x1; ++px) BlendStampPixel(at(px, py), stamp_);
  }

private:
  Pixel& at(int px, int py) {
    return reinterpret_cast<Pixel*>(static_cast<char*>(canvas_.pixels) + static_cast<std::ptrdiff_t>(py) * canvas_.rowbytes)[px];
  }

  StrokeCanvas& canvas_;
  Pixel stamp_{};
};

// CanvasStrokePainter with the oracle's sink.
template <class Pixel>
class StraightforwardPainter final : public StrokePainter {
public:
  StraightforwardPainter(StrokeCanvas& canvas, const StrokeColours<Pixel>& renderColours, bool gradation,
                         bool useCentreColour)
      : canvas_(canvas), renderColours_(renderColours), gradation_(gradation), useCentreColour_(useCentreColour) {}

  int canvasWidth() const override { return canvas_.width; }
  int canvasHeight() const override { return canvas_.height; }
  void beginStroke(const ColourShift& shift) override {
    strokeColours_ = varyStrokeColours(renderColours_, shift, gradation_, useCentreColour_);
  }
  void paintSegment(StrokeRecord& record) override {
    StraightforwardDiscSink<Pixel> sink(canvas_);
    DrawStrokeSegment(record, strokeColours_, sink);
  }
  void endStroke() override {}

private:
  StrokeCanvas& canvas_;
  StrokeColours<Pixel> renderColours_;
  StrokeColours<Pixel> strokeColours_;
  bool gradation_;
  bool useCentreColour_;
};
