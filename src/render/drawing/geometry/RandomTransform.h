// Random rotation and scale of stroke paths about a pivot, one matrix per call.
#pragma once

#include <cstdint>

#include "geometry/PathVertex.h"

struct TransformRandomness {
  double rotation = 0.0;  // radians
  double scaleX = 0.0;    // fraction
  double scaleY = 0.0;    // fraction
};

// Rotates and scales every position and tangent point in place. The three values come from a
// stream started with the three-step jump of seed: angle, then scale y, then scale x.
void randomTransform(const TransformRandomness& randomness, Path& path, PathPoint pivot, std::int32_t seed);
void randomTransform(const TransformRandomness& randomness, PathList& paths, PathPoint pivot, std::int32_t seed);
