// Every parameter value of one render, exactly as the host delivered it (percentages as
// 0..100, angles as 16.16 degrees, colours as 8-bit channels). Each parameter object copies
// its value's bytes to its field here; the render converts them into RenderSettings.
#pragma once

#include <type_traits>

#include "AE_Effect.h"

struct ParamRecord {
  A_u_char useAllPaths;
  PF_PathID targetPath;
  A_u_char strokeSequentially;
  PF_FpLong opacity;
  PF_Pixel color;
  PF_FpLong thickness;
  PF_FpLong length;
  PF_FpLong drawingOffset;
  A_u_char loop;
  PF_FpLong loopInterval;
  A_long randomInterval;
  A_long randomArray;
  A_long randomSeed;
  A_u_char clearBackground;

  A_u_char enableInOut;
  PF_FpLong startThickness;
  PF_FpLong startLength;
  PF_FpLong startBias;
  PF_FpLong endThickness;
  PF_FpLong endLength;
  PF_FpLong endBias;
  PF_FpLong lengthInhibition;
  A_u_char fixedEndsShape;
  A_u_char useStartEndOpacity;
  PF_FpLong startOpacity;
  PF_FpLong endOpacity;
  PF_FpLong opacityCenterPosition;

  A_u_char enableCopyStroke;
  A_long copyNumber;
  A_long copyRandom;
  PF_FpLong copyOffsetX;
  PF_FpLong copyOffsetY;

  PF_FpLong thicknessRandom;
  PF_FpLong lengthRandom;
  PF_FpLong drawingOffsetRandom;
  PF_Fixed hueRandom;
  PF_FpLong saturationRandom;
  PF_FpLong valueRandom;
  PF_FpLong offsetXRandom;
  PF_FpLong offsetYRandom;
  PF_Fixed rotationRandom;
  PF_FpLong scaleXRandom;
  PF_FpLong scaleYRandom;

  A_u_char enableWave;
  PF_FpLong waveAmount;
  PF_FpLong wavePhase;
  PF_FpLong waveLength;
  PF_FpLong waveTangentLength;
  PF_FpLong roundCorners;
  PF_FpLong waveAmountRandom;
  PF_FpLong waveLengthRandom;
  A_u_char alternateWave;
  A_long loopBuffer;

  A_u_char enableGradation;
  A_u_char useCenterColor;
  PF_Pixel startColor;
  PF_Pixel endColor;
  PF_FpLong centerPosition;
};
// Filled by copying bytes, and kept inside RenderData in a host handle freed without a destructor.
static_assert(std::is_trivially_destructible_v<ParamRecord> && std::is_trivially_copyable_v<ParamRecord>);
