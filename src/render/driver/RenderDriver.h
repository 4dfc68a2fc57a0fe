// One render call of one pixel depth: output prepared, masks read, settings derived, strokes
// drawn through a work world, everything made for the call released on every way out.
#pragma once

#include "AE_Effect.h"

struct RenderData;

template <class Pixel>
PF_Err renderStrokes(RenderData& data);
