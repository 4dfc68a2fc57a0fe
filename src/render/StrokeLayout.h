// The stroke loops: how many strokes each path gets, where along the path each one lies, its
// random variations, tapers and colours, and the segment-by-segment hand-off to the stamp
// loop. Separately, every path is stroked on its own; sequentially, all paths form one chain.
#pragma once

#include "AE_Effect.h"
#include "render/PathVertex.h"
#include "render/RenderSettings.h"
#include "render/StrokeCanvas.h"
#include "render/StrokeOutput.h"

template <class Pixel>
PF_Err strokePathsSeparately(const PathList& paths, StrokeCanvas& canvas, const RenderSettings<Pixel>& settings,
                             StrokeOutput& output);

template <class Pixel>
PF_Err strokePathsSequentially(const PathList& paths, StrokeCanvas& canvas, const RenderSettings<Pixel>& settings,
                               StrokeOutput& output);

// Taper profiles hold about one point per pixel of taper; beyond this many points a longer
// taper reuses the finest profile (no canvas is that large, and nearest-sample lookups cannot
// tell the difference), so absurd path lengths cannot exhaust memory.
inline constexpr double kMaxTaperProfileSamples = 65536.0;
