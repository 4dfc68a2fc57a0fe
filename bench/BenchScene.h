// One benchmark scene: what is stroked on the 1920 x 1080 layer and how. The effect and the
// Cairo yardstick both draw from it, so their timings share one name and one set of paths.
#pragma once

#include <string>
#include <vector>

#include "AE_Effect.h"
#include "aehost/Mask.h"

namespace inkline_bench {

inline constexpr A_long kLayerWidth = 1920;
inline constexpr A_long kLayerHeight = 1080;

// Plain: every feature off, one solid stroke per mask. Demo: the demo scene's parameters
// (copies, tapers, randomness, wave, gradation); Cairo draws its copies, each plain.
enum class StrokeStyle { Plain, Demo };

struct BenchScene {
  std::string name;                 // stable, e.g. "plain8/t10"
  std::vector<aehost::Mask> masks;  // in layer pixels
  StrokeStyle style = StrokeStyle::Plain;
  double thickness = 10;            // px: the effect's "Thickness", Cairo's line width
  double opacityPercent = 100;
  int bitDepth = 8;                 // of the effect's render; Cairo draws 8-bit ARGB32 always
  bool clearBackground = false;     // strokes alone on transparency, or over the filled layer
  A_long frame = 0;                 // at the demo's frame rate
  PF_Pixel8 background{255, 255, 255, 255};  // fills the layer; alpha, red, green, blue
  PF_Pixel8 strokeColour{255, 0, 0, 0};      // plain strokes
  // Where Cairo strokes each mask, once per copy the effect draws of it (the demo's copies
  // lie a few pixels apart; plain scenes have one, on the path).
  std::vector<aehost::MaskPoint> copyDisplacements{{0.0, 0.0}};
};

}  // namespace inkline_bench
