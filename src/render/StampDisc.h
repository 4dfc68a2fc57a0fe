// Stamping one anti-aliased disc into the canvas's work world: StampSmallDisc scans the
// bounding box (radius under 5 px), StampLargeDisc traces the rim and fills the inside with
// spans. Both keep the canvas's DiscRadius in step with r, draw nothing for bad input (radius
// not above 0 or above kMaxDiscRadiusPx, NaN, centres not finite, no world, a disc off the
// canvas) and never write outside the canvas. Both return 0.
#pragma once

#include "AE_Effect.h"
#include "render/StrokeCanvas.h"

template <class Pixel>
int StampSmallDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp);

// Meant for r ≥ 5; radii under 1 draw nothing.
template <class Pixel>
int StampLargeDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp);
