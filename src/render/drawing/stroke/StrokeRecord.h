// Everything the stamp loop needs for one stroke, filled by the stroke layout and reused for
// every segment of every stroke. It has no pixel depth: the stroke's colours travel beside it.
//
// Units: a position is a fraction of the stroke path's length, 0 its start and 1 its end (a
// looped second pass lies beyond 1); …Px is pixels; opacities are 0 … 1.
#pragma once

#include "geometry/BezierSegment.h"
#include "taper/TaperProfile.h"

class StrokeInterrupt;

// A stretch of the stroke path, in positions: begin inclusive, end as each use says.
struct PositionRange {
  double begin = 0.0;
  double end = 0.0;
};

struct StrokeRecord {
  BezierSegment segment;               // the segment being painted, with its walk
  double segmentStartPosition = 0.0;   // position of the segment's first sample
  double positionStep = 0.0;           // position per sample (1 px of arc length)
  double thicknessPx = 0.0;            // disc diameter before tapering
  double opacity = 0.0;
  double lengthPosition = 0.0;         // the stroke's length as a position; 0 draws nothing

  // The stroke runs from startTaper.begin (B1) to endTaper.end (E2); its tapers are the
  // ranges [B1, E1) and (B2, E2).
  PositionRange startTaper;
  PositionRange endTaper;
  bool inOut = false;                  // tapers on
  TaperProfile startProfile;           // x ascending 0 → 1
  TaperProfile endProfile;             // x descending 1 → 0
  double startTipThicknessPx = 0.0;
  double endTipThicknessPx = 0.0;

  bool fixedEnds = false;              // tapers also pinned to the ends of the current path
  PositionRange fixedStart;
  PositionRange fixedEnd;

  bool opacityProfile = false;
  double startOpacity = 0.0;           // already times opacity
  double endOpacity = 0.0;             // already times opacity
  double opacityCentreInStroke = 0.0;  // fraction of the stroke (B1 … E2), not a position

  bool gradation = false;
  double gradationCentrePosition = 0.0;

  // Asked as the walk goes whether to stop; none: the walk always runs to its end.
  StrokeInterrupt* interrupt = nullptr;

  // The canvas the discs land on [px]; 0 x 0: unknown, every sample is walked.
  int canvasWidth = 0;
  int canvasHeight = 0;
};
