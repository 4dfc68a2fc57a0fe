// The Cairo yardstick: a bench scene's masks stroked with Cairo as any program would draw
// them, cubic for cubic, round caps and joins, line width = Thickness, the stroke colour at
// the scene's opacity, default antialiasing, onto a 1920 x 1080 ARGB32 surface that is first
// filled with the background (or cleared when the effect would clear it).
//
// Cairo knows no tapers, randomness, wave or gradation, and has no 16-bit or float surface
// here: it draws every scene as the plain 8-bit stroke of its paths, each path once per copy
// the effect draws of it, displaced as the effect displaces the copy.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <memory>

#include "BenchScene.h"

namespace inkline_bench {

class CairoScene {
 public:
  explicit CairoScene(BenchScene bench);

  // One frame: the fill, then one stroke per mask and copy, flushed to the surface's pixels.
  void draw();
  void writePng(const std::filesystem::path& file) const;

 private:
  struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
  };
  struct ContextRelease {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
  };

  void appendPath(const aehost::Mask& mask);

  BenchScene bench_;
  std::unique_ptr<cairo_surface_t, SurfaceRelease> surface_;
  std::unique_ptr<cairo_t, ContextRelease> cr_;
};

}  // namespace inkline_bench
