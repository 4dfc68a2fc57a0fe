// The per-render settings of one pixel depth, derived from the parameter values of the frame:
// percentages as fractions, angles in turns or radians, colours in the depth's pixel type, sizes
// already scaled by the downsampling, the effective random seed. A plain record, filled once per
// render call and only read afterwards.
#pragma once

#include "AE_Effect.h"

template <class Pixel>
struct RenderSettings {
  bool strokeSequentially = false;
  double opacity = 0.0;  // 0 … 1
  Pixel colour{};
  double thickness = 0.0;  // px, scaled by the smaller downsample factor
  double length = 0.0;     // |"Length"| as a fraction of the path
  bool reverse = false;    // "Length" below 0
  double drawingOffset = 0.0;
  bool loop = false;
  double loopInterval = 0.0;
  A_long randomInterval = 0;  // frames
  A_long randomArray = 0;
  A_long randomSeed = 0;  // as set by the user
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
  double startOpacity = 0.0;
  double endOpacity = 0.0;
  double opacityCentre = 0.0;  // fraction of the stroke
  bool enableCopy = false;
  A_long copyNumber = 0;
  A_long copyRandom = 0;
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
  A_long loopBuffer = 0;
  bool enableGradation = false;
  bool useCentreColour = false;
  Pixel startColour{};
  Pixel endColour{};
  double centrePosition = 0.0;  // fraction of the stroke
  A_long effectiveSeed = 0;     // "Random Seed" moved on by the frame number
  A_long strokesPerPath = 1;    // copies + 1
  PF_InData* inData = nullptr;  // the host's, passed through; never called from the drawing code
  PF_EffectWorld* output = nullptr;
};
