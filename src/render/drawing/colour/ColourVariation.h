// Per-stroke colour randomness: a stroke colour shifted in hue, saturation and value, and the
// centre colour of a gradation. One routine per operation for the three pixel depths.
#pragma once

#include "AE_Effect.h"

// Shifts hue (turns, wrapped), saturation and value (folded back into 0 … 1) and converts back
// to the pixel's depth. The input alpha is ignored; the result is always fully opaque.
template <class Pixel>
Pixel varyColour(const Pixel& colour, double hueShift, double saturationShift, double valueShift);

// The gradation's middle colour: the (varied) stroke colour when "Use Center Color" is on,
// otherwise the per-channel midpoint of start and end, alpha included.
template <class Pixel>
Pixel gradationCentreColour(const Pixel& start, const Pixel& end, const Pixel& stroke, bool useCentreColour);
