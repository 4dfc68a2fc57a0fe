#include "wave/WaveGeometry.h"

#include <cstddef>

namespace {

// (1 − t)·p + t·q
PathPoint lerp(PathPoint p, PathPoint q, double t) {
  const double s = 1.0 - t;
  return PathPoint{s * p.x + t * q.x, s * p.y + t * q.y};
}

}  // namespace

CubicControlPoints segmentControlPoints(const PathVertex& from, const PathVertex& to) {
  return CubicControlPoints{PathPoint{from.x, from.y}, PathPoint{from.outTangentX, from.outTangentY},
                            PathPoint{to.inTangentX, to.inTangentY}, PathPoint{to.x, to.y}};
}

double parameterAtArc(const BezierSegment& segment, double arc) {
  const auto& lengths = segment.lengthTable;
  const auto& parameters = segment.parameterTable;

  // Bisection for the first L_k > arc. The table only rises, but even a table spoilt by NaN keeps
  // the search in range and finite.
  std::size_t lo = 0;
  std::size_t hi = lengths.size();
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (lengths[mid] > arc) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  const std::size_t k = lo;
  if (k == lengths.size()) return 1.0;
  if (k == 0) return 0.0;

  // t = t_(k−1) + (arc − L_(k−1)) / (L_k − L_(k−1)) · (t_k − t_(k−1))
  const double lPrev = lengths[k - 1];
  const double lk = lengths[k];
  const double tPrev = parameters[k - 1];
  if (lPrev == lk) return tPrev;
  return tPrev + (arc - lPrev) / (lk - lPrev) * (parameters[k] - tPrev);
}

CubicSplit splitCubic(const CubicControlPoints& cubic, double t) {
  CubicSplit split;
  split.a = lerp(cubic.p0, cubic.p1, t);
  const PathPoint b = lerp(cubic.p1, cubic.p2, t);
  split.c = lerp(cubic.p2, cubic.p3, t);
  split.ab = lerp(split.a, b, t);
  split.bc = lerp(b, split.c, t);
  split.point = lerp(split.ab, split.bc, t);
  return split;
}
