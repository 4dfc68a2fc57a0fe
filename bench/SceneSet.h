// The benchmark scenes, named as the comparison table lists them:
//   plain8/tN        the demo's five masks x3, every feature off, 8-bit, Thickness N (also the
//                    thickness sweep: every plain8 scene is a point of it)
//   plain16/t10, plain32/t10   the same at 16-bit and 32-bit float
//   demo/t10         the demo's parameters at 2 s (strokes drawn, wave on), Thickness 10
//   long/t200/o100, long/t200/o80   the Loops mask x3 alone, Thickness 200, Opacity 100 / 80 %
//   small/nN/clear, small/nN/over   N short strokes, Thickness 4, on a cleared layer or over it
#pragma once

#include <vector>

#include "BenchScene.h"

namespace inkline_bench {

std::vector<BenchScene> benchScenes();

}  // namespace inkline_bench
