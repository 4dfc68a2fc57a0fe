// The stroke loops: how many strokes each path gets, where along the path each one lies, its
// random variations, tapers and colours, and the segment-by-segment hand-off to the painter.
// Separately, every path is stroked on its own; sequentially, all paths form one chain. No
// pixel depth here: the painter brings it.
#pragma once

#include "AE_Effect.h"
#include "geometry/PathVertex.h"
#include "stroke/RenderSettings.h"
#include "stroke/StrokeOutput.h"
#include "stroke/StrokePainter.h"

PF_Err strokePathsSeparately(const PathList& paths, const RenderSettings& settings, StrokePainter& painter,
                             StrokeOutput& output);

PF_Err strokePathsSequentially(const PathList& paths, const RenderSettings& settings, StrokePainter& painter,
                               StrokeOutput& output);

// Taper profiles hold about one point per pixel of taper; beyond this many points a longer
// taper reuses the finest profile (no canvas is that large, and nearest-sample lookups cannot
// tell the difference), so absurd path lengths cannot exhaust memory.
inline constexpr double kMaxTaperProfileSamples = 65536.0;
