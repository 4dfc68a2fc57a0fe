// The parameters' disk ids. Saved projects refer to parameters by these: never change one.
#pragma once

#include "AE_Effect.h"

namespace ParamId {
inline constexpr A_long UseAllPaths = 1;
inline constexpr A_long TargetPath = 2;
inline constexpr A_long StrokeSequentially = 3;
inline constexpr A_long Color = 4;
inline constexpr A_long Thickness = 5;
inline constexpr A_long Opacity = 6;
inline constexpr A_long Length = 7;
inline constexpr A_long DrawingOffset = 8;
inline constexpr A_long Loop = 9;
inline constexpr A_long LoopInterval = 10;
inline constexpr A_long RandomInterval = 13;
inline constexpr A_long RandomSeed = 14;
inline constexpr A_long InOutGroup = 15;
inline constexpr A_long EnableInOut = 16;
inline constexpr A_long StartThickness = 17;
inline constexpr A_long EndThickness = 18;
inline constexpr A_long StartLength = 19;
inline constexpr A_long EndLength = 20;
inline constexpr A_long StartBias = 21;
inline constexpr A_long EndBias = 22;
inline constexpr A_long StartOpacity = 23;
inline constexpr A_long EndOpacity = 24;
inline constexpr A_long FixedEndsShape = 25;
inline constexpr A_long InOutGroupEnd = 26;
inline constexpr A_long CopyStrokeGroup = 27;
inline constexpr A_long EnableCopyStroke = 28;
inline constexpr A_long CopyNumber = 29;
inline constexpr A_long CopyRandom = 30;
inline constexpr A_long CopyOffsetX = 31;
inline constexpr A_long CopyOffsetY = 32;
inline constexpr A_long CopyStrokeGroupEnd = 33;
inline constexpr A_long RandomizeGroup = 34;
inline constexpr A_long LengthRandom = 36;
inline constexpr A_long ThicknessRandom = 37;
inline constexpr A_long ColorRandomGroup = 38;
inline constexpr A_long HueRandom = 39;
inline constexpr A_long SaturationRandom = 40;
inline constexpr A_long ValueRandom = 41;
inline constexpr A_long ColorRandomGroupEnd = 42;
inline constexpr A_long OffsetXRandom = 43;
inline constexpr A_long OffsetYRandom = 44;
inline constexpr A_long WaveAmount = 45;
inline constexpr A_long WaveLength = 46;
inline constexpr A_long WaveTangentLength = 47;
inline constexpr A_long WaveAmountRandom = 48;
inline constexpr A_long WaveLengthRandom = 49;
inline constexpr A_long RotationRandom = 50;
inline constexpr A_long ScaleXRandom = 51;
inline constexpr A_long ScaleYRandom = 52;
inline constexpr A_long RandomizeGroupEnd = 53;
inline constexpr A_long GradationGroup = 54;
inline constexpr A_long EnableGradation = 55;
inline constexpr A_long UseCenterColor = 56;
inline constexpr A_long StartColor = 57;
inline constexpr A_long EndColor = 58;
inline constexpr A_long CenterPosition = 59;
inline constexpr A_long GradationGroupEnd = 60;
inline constexpr A_long LengthInhibition = 61;
inline constexpr A_long ClearBackground = 62;
inline constexpr A_long EnableWave = 63;
inline constexpr A_long WavePhase = 64;
inline constexpr A_long LoopBuffer = 65;
inline constexpr A_long DrawingOffsetRandom = 67;
inline constexpr A_long UseStartEndOpacity = 69;
inline constexpr A_long OpacityCenterPosition = 70;
inline constexpr A_long RandomArray = 71;
inline constexpr A_long RoundCorners = 73;
inline constexpr A_long WaveGroup = 74;
inline constexpr A_long WaveGroupEnd = 75;
inline constexpr A_long AlternateWave = 76;
}  // namespace ParamId
