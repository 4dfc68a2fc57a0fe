// The per-render settings, derived from the parameter values of the frame: percentages as
// fractions, angles in turns or radians, sizes already scaled by the downsampling, the
// effective random seed. The same at every pixel depth; the colours, the one thing a depth
// changes, travel apart in StrokeColours. A plain record, filled once per render call and only
// read afterwards.
#pragma once

#include <cstdint>

struct RenderSettings {
  bool strokeSequentially = false;
  double opacity = 0.0;    // 0 … 1
  double thickness = 0.0;  // px, scaled by the smaller downsample factor
  double length = 0.0;     // |"Length"| as a fraction of the path
  bool reverse = false;    // "Length" below 0
  double drawingOffset = 0.0;  // fraction of the path
  bool loop = false;
  double loopInterval = 0.0;     // fraction of the path
  std::int32_t randomSeed = 0;   // as set by the user; 0 seeds paths by their position
  bool enableInOut = false;
  double startThickness = 0.0;  // fraction of the stroke thickness
  double startLength = 0.0;     // fraction of the path; start + end ≤ 1
  double startBias = 0.0;       // −1 … 1
  double endThickness = 0.0;
  double endLength = 0.0;
  double endBias = 0.0;
  double lengthInhibition = 0.0;  // shortest taper, in stroke thicknesses
  bool fixedEndsShape = false;
  bool useStartEndOpacity = false;
  double startOpacity = 0.0;   // 0 … 1, times opacity when drawn
  double endOpacity = 0.0;
  double opacityCentre = 0.0;  // fraction of the stroke
  bool enableCopy = false;
  std::int32_t copyRandom = 0;  // copies added or taken at random
  double copyOffsetX = 0.0;  // px, scaled by the horizontal downsample factor
  double copyOffsetY = 0.0;  // px, scaled by the vertical downsample factor
  double thicknessRandom = 0.0;
  double lengthRandom = 0.0;
  double drawingOffsetRandom = 0.0;
  double hueRandom = 0.0;  // turns
  double saturationRandom = 0.0;
  double valueRandom = 0.0;
  double offsetXRandom = 0.0;  // px, scaled by the horizontal downsample factor
  double offsetYRandom = 0.0;  // px, scaled by the vertical downsample factor
  double rotationRandom = 0.0;  // radians
  double scaleXRandom = 0.0;
  double scaleYRandom = 0.0;
  bool enableWave = false;
  double waveAmount = 0.0;  // px, scaled by the smaller downsample factor
  double waveLength = 0.0;
  double wavePhase = 0.0;
  double waveTangentLength = 0.0;
  double waveAmountRandom = 0.0;
  double waveLengthRandom = 0.0;
  bool alternateWave = false;
  double roundCorners = 0.0;
  std::int32_t loopBuffer = 0;
  bool enableGradation = false;
  bool useCentreColour = false;
  double centrePosition = 0.0;      // fraction of the stroke
  std::int32_t effectiveSeed = 0;   // "Random Seed" moved on by the frame number
  std::int32_t strokesPerPath = 1;  // copies + 1
};
