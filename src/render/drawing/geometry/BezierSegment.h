// One cubic segment measured by a fixed table of 101 parameter samples and their cumulative
// chord lengths, and walked in equal arc-length steps. No adaptive subdivision: every segment,
// long or short, gets exactly 100 parameter intervals, and a distance becomes a parameter by
// linear interpolation in the table. A plain value (no heap), reused for every segment.
#pragma once

#include <array>
#include <cstdint>

struct CubicCoefficients {
  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
  double d = 0.0;

  // ((a·t + b)·t + c)·t + d
  double at(double t) const { return ((a * t + b) * t + c) * t + d; }
};

struct BezierSegment {
  static constexpr int kIntervals = 100;
  static constexpr int kSamples = kIntervals + 1;

  double pointX = 0.0;  // curve point of the last step [layer px]
  double pointY = 0.0;
  double t = 0.0;  // curve parameter of that point
  std::array<double, kSamples> parameterTable{};  // t_i = i / 100.0
  std::array<double, kSamples> lengthTable{};     // cumulative chord length at t_i [px]
  CubicCoefficients xCoefficients;
  CubicCoefficients yCoefficients;
  double startDistance = 0.0;    // distance of the first step [px]
  double endDistance = 0.0;      // the walk ends here [px]
  double stepDistance = 0.0;     // added per step [px]
  double currentDistance = 0.0;  // distance of the last step [px]
  std::int32_t tableIndex = -1;  // interval of the current distance; −1 = walk not started
  bool endPending = false;       // yield one last point exactly at the end distance

  // Coefficients and both tables; the walk fields are left alone.
  void setUp(double p0x, double p0y, double p1x, double p1y, double p2x, double p2y, double p3x, double p3y);

  // Prepares a walk over the whole segment: start 0, end = total length.
  void beginWalk(double step, bool yieldEnd);

  // Advances the walk: points at distances start, start + step, … while below the end, then
  // the end point itself when end pending was set. False when the walk is over (point and t
  // keep their last values).
  bool step();

  // Passes over the steps whose distance stays below `distance` (at least one step): the
  // distance afterwards is, to the bit, the one those steps one by one would reach, and the
  // point is that of the step landed on, as step() would give it. Returns how many steps were
  // taken; the walk may have ended (then `ended` is set).
  std::uint64_t skipBelow(double distance, bool& ended);

  double totalLength() const { return lengthTable[kIntervals]; }

 private:
  // The point at currentDistance (the end point once past the end); false when the walk is over.
  bool settle();
};
