// The colours of a stroke in one pixel depth: what the depth changes in a render, kept apart
// from the depth-free settings so that only the code that makes pixels is compiled per depth.
#pragma once

#include "AE_Effect.h"
#include "colour/ColourShift.h"
#include "colour/ColourVariation.h"
#include "pixel/PixelTraits.h"

template <class Pixel>
struct StrokeColours {
  Pixel colour{};  // the stroke colour; alpha ignored
  Pixel start{};   // gradation colours; alpha ignored
  Pixel centre{};
  Pixel end{};
};

// A colour parameter (8-bit channels) in the depth's pixel type:
// 8-bit trunc(v · k · 255), 16-bit trunc(v · k · 32768), float float(v · k); k = the double
// nearest 1/255.
template <class Pixel>
Pixel depthColour(const PF_Pixel& c) {
  constexpr double kInv255 = 1.0 / 255.0;
  const auto channel = [](A_u_char v) { return PixelTraits<Pixel>::fromFraction(v * kInv255); };
  return Pixel{channel(c.alpha), channel(c.red), channel(c.green), channel(c.blue)};
}

// One stroke's colours from the render's: the stroke colour shifted; with a gradation also
// its start and end colours, and the centre colour from them (or the stroke colour).
template <class Pixel>
StrokeColours<Pixel> varyStrokeColours(const StrokeColours<Pixel>& render, const ColourShift& shift, bool gradation,
                                       bool useCentreColour) {
  StrokeColours<Pixel> stroke;
  stroke.colour = varyColour(render.colour, shift.hue, shift.saturation, shift.value);
  if (gradation) {
    stroke.start = varyColour(render.start, shift.hue, shift.saturation, shift.value);
    stroke.end = varyColour(render.end, shift.hue, shift.saturation, shift.value);
    stroke.centre = gradationCentreColour(stroke.start, stroke.end, stroke.colour, useCentreColour);
  }
  return stroke;
}
