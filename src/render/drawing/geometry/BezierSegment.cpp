#include "geometry/BezierSegment.h"

#include <algorithm>
#include <cmath>

#include "geometry/RepeatedSum.h"

namespace {

// Power-basis coefficients of one axis: a = 3(P1 − P2) + (P3 − P0), b = 3(P0 + P2) − 6·P1,
// c = 3(P1 − P0), d = P0.
CubicCoefficients cubicOf(double p0, double p1, double p2, double p3) {
  return CubicCoefficients{3.0 * (p1 - p2) + (p3 - p0), 3.0 * (p0 + p2) - 6.0 * p1, 3.0 * (p1 - p0), p0};
}

}  // namespace

void BezierSegment::setUp(double p0x, double p0y, double p1x, double p1y, double p2x, double p2y, double p3x,
                          double p3y) {
  xCoefficients = cubicOf(p0x, p1x, p2x, p3x);
  yCoefficients = cubicOf(p0y, p1y, p2y, p3y);

  // L_i = L_(i−1) + |B(t_i) − B(t_(i−1))|, starting from P0 (so L_0 = 0).
  double previousX = xCoefficients.d;
  double previousY = yCoefficients.d;
  double sum = 0.0;
  for (int i = 0; i < kSamples; ++i) {
    const double ti = i / 100.0;
    parameterTable[i] = ti;
    const double x = xCoefficients.at(ti);
    const double y = yCoefficients.at(ti);
    const double dx = x - previousX;
    const double dy = y - previousY;
    sum += std::sqrt(dx * dx + dy * dy);
    lengthTable[i] = sum;
    previousX = x;
    previousY = y;
  }
}

void BezierSegment::beginWalk(double step, bool yieldEnd) {
  pointX = -1.0;
  pointY = -1.0;
  tableIndex = -1;
  startDistance = 0.0;
  endDistance = totalLength();
  stepDistance = step;
  endPending = yieldEnd;
}

bool BezierSegment::step() {
  if (tableIndex == -1) {
    currentDistance = startDistance;
    // The last interval whose start does not exceed start · total (the start read as a
    // fraction); with start 0 that is the first interval of non-zero length.
    const double target = startDistance * totalLength();
    int first = 0;
    while (first < kSamples && !(lengthTable[first] > target)) ++first;
    const int index = first - 1;
    if (index < 0) {
      currentDistance = 0.0;
      tableIndex = 0;
    } else {
      // No entry above the target (a zero-length segment): the last interval, so the table is
      // never read past its end.
      tableIndex = index < kIntervals ? index : kIntervals - 1;
    }
  } else {
    currentDistance += stepDistance;
  }
  return settle();
}

std::uint64_t BezierSegment::skipBelow(double distance, bool& ended) {
  // Never past the end: from there on step() decides whether one more point comes.
  const double limit = std::min(distance, endDistance);
  const std::uint64_t steps = addUntilAtLeast(currentDistance, stepDistance, limit, std::uint64_t{1} << 40);
  ended = !settle();
  return steps;
}

bool BezierSegment::settle() {
  // NaN distances end the walk too, so a NaN step can never loop forever.
  if (!(currentDistance < endDistance)) {
    if (!endPending) return false;
    endPending = false;
    currentDistance = endDistance;
    // B(1) = a + b + c + d: P3 but for rounding.
    t = 1.0;
    pointX = xCoefficients.at(1.0);
    pointY = yCoefficients.at(1.0);
    return true;
  }

  while (tableIndex < kIntervals - 1 && currentDistance >= lengthTable[tableIndex + 1]) ++tableIndex;

  // t = t_i + (d − L_i) / (L_(i+1) − L_i) · (t_(i+1) − t_i); t_i on a zero-length interval
  const double li = lengthTable[tableIndex];
  const double lNext = lengthTable[tableIndex + 1];
  const double ti = parameterTable[tableIndex];
  if (li == lNext) {
    t = ti;
  } else {
    t = ti + (currentDistance - li) / (lNext - li) * (parameterTable[tableIndex + 1] - ti);
  }
  pointX = xCoefficients.at(t);
  pointY = yCoefficients.at(t);
  return true;
}
