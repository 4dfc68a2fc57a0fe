// From the frame's parameter values to what the renderer reads: downsampling applied to the
// sizes, percentages as fractions, angles in turns or radians, colours in the depth's pixels,
// and the random seed of this frame.
#pragma once

#include "AE_Effect.h"
#include "effect/ParamRecord.h"
#include "render/RenderSettings.h"

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

// A colour parameter (8-bit channels) in the depth's pixel type.
template <class Pixel>
Pixel depthColour(const PF_Pixel& colour);

template <class Pixel>
RenderSettings<Pixel> buildRenderSettings(const ParamRecord& params, PF_InData* in_data, PF_EffectWorld* output);
