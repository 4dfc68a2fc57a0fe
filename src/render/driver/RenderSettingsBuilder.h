// From the frame's parameter values to what the drawing core reads: downsampling applied to
// the sizes, percentages as fractions, angles in turns or radians, the random seed of this
// frame, and the colours in the depth's pixels.
#pragma once

#include "AE_Effect.h"
#include "effect/ParamRecord.h"
#include "colour/StrokeColours.h"
#include "stroke/RenderSettings.h"

struct DownsampleFactors {
  double x = 1.0;  // downsample_x.num / downsample_x.den
  double y = 1.0;
};

DownsampleFactors downsampleFactors(const PF_InData& in_data);

// Sizes follow the render's resolution; mask vertices already do. Thickness and wave amount
// use the smaller factor, offsets their own axis.
void scaleForDownsampling(ParamRecord& params, DownsampleFactors factors);

// "Random Seed", moved on by one every "Random Interval" frames; with "Random Array" n only n
// patterns occur. The arithmetic wraps like the 32-bit integers it stands for.
A_long effectiveSeed(A_long randomSeed, A_long randomInterval, A_long randomArray, A_long currentTime, A_long timeStep);

RenderSettings buildRenderSettings(const ParamRecord& params, const PF_InData& in_data);

// "Color", "Start Color" and "End Color" in the depth's pixel type.
template <class Pixel>
StrokeColours<Pixel> buildStrokeColours(const ParamRecord& params) {
  StrokeColours<Pixel> colours;
  colours.colour = depthColour<Pixel>(params.color);
  colours.start = depthColour<Pixel>(params.startColor);
  colours.end = depthColour<Pixel>(params.endColor);
  return colours;
}
