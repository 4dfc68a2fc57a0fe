// The pixel side of stamping: a raster sink that blends the stamp pixel into the canvas, scaled
// by the coverage the rasteriser hands it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "pixel/BlendStampPixel.h"
#include "pixel/PixelTraits.h"
#include "raster/StrokeCanvas.h"

// Whether stamps can be drawn at all: a work world with pixels, a size, and rows that hold a
// whole row of aligned pixels. Anything else draws nothing.
template <class Pixel>
bool canvasAcceptsStamps(const StrokeCanvas& canvas) {
  if (!canvas.pixels || canvas.width <= 0 || canvas.height <= 0) return false;
  if (canvas.rowbytes < static_cast<std::int64_t>(canvas.width) * static_cast<std::int64_t>(sizeof(Pixel))) return false;
  return canvas.rowbytes % static_cast<A_long>(alignof(Pixel)) == 0 &&
         reinterpret_cast<std::uintptr_t>(canvas.pixels) % alignof(Pixel) == 0;
}

template <class Pixel>
class StampBlitter {
public:
  StampBlitter(const StrokeCanvas& canvas, const Pixel& stamp)
      : base_(static_cast<char*>(canvas.pixels)), rowbytes_(canvas.rowbytes), stamp_(stamp) {}

  // Rim pixel: the stamp with its alpha scaled by the coverage.
  void pixel(int px, int py, int coverage) {
    Pixel scaled = stamp_;
    scaled.alpha = PixelTraits<Pixel>::scaleByCoverage(stamp_.alpha, coverage);
    BlendStampPixel(row(py)[px], scaled);
  }

  // Interior: the stamp unscaled. An opaque stamp replaces every pixel outright, so the span
  // is a plain fill.
  void span(int py, int x0, int x1) {
    Pixel* pixels = row(py);
    if (stamp_.alpha == PixelTraits<Pixel>::full) {
      std::fill(pixels + x0, pixels + x1 + 1, stamp_);
      return;
    }
    for (int px = x0; px <= x1; ++px) BlendStampPixel(pixels[px], stamp_);
  }

private:
  Pixel* row(int py) const { return reinterpret_cast<Pixel*>(base_ + static_cast<std::ptrdiff_t>(py) * rowbytes_); }

  char* base_;
  std::ptrdiff_t rowbytes_;
  Pixel stamp_;
};
