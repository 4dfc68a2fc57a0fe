// The pixel side of stamping: a raster sink that blends the stamp pixel into the canvas, scaled
// by the coverage the rasteriser hands it.
//
// Overdraw: the discs of a stroke lie a pixel apart, so a pixel deep inside a stroke of radius
// r is covered by about 2r discs. After the first has blended it, the same stamp changes it no
// more (StampLeavesPixel), so the canvas's SettledRows keeps, per row, the run of such pixels
// and every later disc of the same stamp skips it: only its leading edge is blended. What is
// skipped is exactly what would have been a no-op, so the pixels are those of blending every
// disc in full.
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
  StampBlitter(StrokeCanvas& canvas, const Pixel& stamp)
      : base_(static_cast<char*>(canvas.pixels)),
        rowbytes_(canvas.rowbytes),
        stamp_(stamp),
        settled_(canvas.settledRows),
        settles_(StampCanSettle(stamp) && canvas.settledRows.rowCount() >= canvas.height) {
    canvas.stampColours.note(stamp);
    if (settles_) settled_.useStamp(stamp);
  }

  // Whether the blitter keeps the stamp's settled runs.
  bool settles() const { return settles_; }

  // A settled pixel: the rasteriser passes it over without working out its coverage.
  bool skips(int px, int py) const { return settles_ && settled_.holds(py, px); }
  // The row's settled run, whose pixels a recorded disc passes over.
  bool settledRun(int py, int& left, int& right) const {
    SettledRows::Run run{};
    if (!settles_ || !settled_.find(py, run)) return false;
    left = run.left;
    right = run.right;
    return true;
  }

  // Rim pixel: the stamp with its alpha scaled by the coverage.
  void pixel(int px, int py, int coverage) {
    Pixel scaled = stamp_;
    scaled.alpha = PixelTraits<Pixel>::scaleByCoverage(stamp_.alpha, coverage);
    Pixel& dst = row(py)[px];
    BlendStampPixel(dst, scaled);
    if (settles_ && StampLeavesPixel(dst, stamp_)) extendRun(py, px);
  }

  // Interior: the stamp unscaled, on the part of the row not yet settled.
  void span(int py, int x0, int x1) {
    if (!settles_) {
      blendSpan(row(py), x0, x1);
      return;
    }
    SettledRows::Run run{};
    if (!settled_.find(py, run) || x0 > run.right + 1 || x1 < run.left - 1) {
      // Nothing settled next to the span: blend it all, and settle it if all of it settled.
      if (blendAndCheckSpan(row(py), x0, x1)) settled_.set(py, SettledRows::Run{x0, x1});
      return;
    }
    Pixel* pixels = row(py);
    // The pieces left and right of the run, each grown into the run while it settles.
    if (x0 < run.left) {
      const int end = run.left - 1;
      blendSpan(pixels, x0, end);
      while (run.left > x0 && StampLeavesPixel(pixels[run.left - 1], stamp_)) --run.left;
    }
    if (x1 > run.right) {
      const int begin = run.right + 1;
      blendSpan(pixels, begin, x1);
      while (run.right < x1 && StampLeavesPixel(pixels[run.right + 1], stamp_)) ++run.right;
    }
    settled_.set(py, run);
  }

  // Rim pixel on a canvas of this stamp's colour alone (see spanOfOneColour); `scaled` is the
  // stamp at the pixel's coverage. The blend keeps the larger alpha, and the pixel is settled
  // once its alpha reaches the stamp's.
  void pixelOfOneColour(int px, int py, const Pixel& scaled) {
    Pixel& dst = row(py)[px];
    KeepLargerAlpha(dst, scaled);
    if (settles_ && !(dst.alpha < stamp_.alpha)) extendRun(py, px);
  }

  // Interior on a canvas of this stamp's colour alone (every pixel transparent black or of
  // that colour, see DeferredDiscs.h), where the stamp's settled runs are kept. There the blend
  // keeps the larger alpha, and the stamp unscaled leaves every pixel settled: the span joins
  // its row's run when it overlaps or touches it, and replaces it otherwise, as span() would.
  void spanOfOneColour(int py, int x0, int x1) {
    Pixel* pixels = row(py);
    SettledRows::Run run{};
    if (!settled_.find(py, run) || x0 > run.right + 1 || x1 < run.left - 1) {
      keepLarger(pixels, x0, x1);
      settled_.set(py, SettledRows::Run{x0, x1});
      return;
    }
    keepLarger(pixels, x0, run.left - 1);
    keepLarger(pixels, run.right + 1, x1);
    settled_.set(py, SettledRows::Run{std::min(x0, run.left), std::max(x1, run.right)});
  }

private:
  Pixel* row(int py) const { return reinterpret_cast<Pixel*>(base_ + static_cast<std::ptrdiff_t>(py) * rowbytes_); }

  void keepLarger(Pixel* pixels, int x0, int x1) const {
    for (int px = x0; px <= x1; ++px) KeepLargerAlpha(pixels[px], stamp_);
  }

  // An opaque stamp replaces every pixel outright, so its span is a plain fill.
  void blendSpan(Pixel* pixels, int x0, int x1) const {
    if (stamp_.alpha == PixelTraits<Pixel>::full) {
      std::fill(pixels + x0, pixels + x1 + 1, stamp_);
      return;
    }
    for (int px = x0; px <= x1; ++px) BlendStampPixel(pixels[px], stamp_);
  }

  bool blendAndCheckSpan(Pixel* pixels, int x0, int x1) const {
    blendSpan(pixels, x0, x1);
    for (int px = x0; px <= x1; ++px) {
      if (!StampLeavesPixel(pixels[px], stamp_)) return false;
    }
    return true;
  }

  // A pixel that settled just beside its row's run (or in a row without one) joins it.
  void extendRun(int py, int px) {
    SettledRows::Run run{};
    if (!settled_.find(py, run)) {
      settled_.set(py, SettledRows::Run{px, px});
    } else if (px == run.left - 1) {
      settled_.set(py, SettledRows::Run{px, run.right});
    } else if (px == run.right + 1) {
      settled_.set(py, SettledRows::Run{run.left, px});
    }
  }

  char* base_;
  std::ptrdiff_t rowbytes_;
  Pixel stamp_;
  SettledRows& settled_;
  bool settles_;
};
