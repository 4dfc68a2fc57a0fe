// Everything the stamp loop needs for one stroke, filled by the stroke layout and reused for
// every segment of every stroke. Positions are normalised to the stroke path's length: 0 its
// start, 1 its end (a looped second pass lies beyond 1).
#pragma once

#include "render/BezierSegment.h"
#include "render/TaperProfile.h"

template <class Pixel>
struct StrokeRecord {
  BezierSegment segment;      // the segment being painted, with its walk
  double segmentStart = 0.0;  // position of the segment's first sample
  double positionStep = 0.0;  // position per sample (1 px of arc length)
  Pixel colour{};
  double thickness = 0.0;  // disc diameter before tapering [px]
  double opacity = 0.0;    // 0 … 1
  double length = 0.0;     // stroke length (position units); 0 draws nothing
  double start = 0.0;      // stroke start position
  bool inOut = false;      // tapers on
  TaperProfile startProfile;  // x ascending 0 → 1
  TaperProfile endProfile;    // x descending 1 → 0
  double startTipThickness = 0.0;  // [px]
  double startTaperBegin = 0.0;
  double startTaperEnd = 0.0;
  double endTipThickness = 0.0;  // [px]
  double endTaperBegin = 0.0;
  double endTaperEnd = 0.0;
  bool fixedEnds = false;  // tapers also pinned to the ends of the current path
  double fixedStartBegin = 0.0;
  double fixedStartEnd = 0.0;
  double fixedEndBegin = 0.0;
  double fixedEndEnd = 0.0;
  bool opacityProfile = false;
  double startOpacity = 0.0;   // already times opacity
  double endOpacity = 0.0;     // already times opacity
  double opacityCentre = 0.0;  // fraction of the stroke, 0 … 1
  bool gradation = false;
  Pixel startColour{};  // gradation colours: alpha ignored
  Pixel endColour{};
  Pixel centreColour{};
  double gradationCentre = 0.0;  // position
};
