// The stamp loop: one disc per pixel of arc length along one cubic segment of a stroke, with
// the stroke's tapers, opacity profile and gradation applied per sample. Each disc is handed to
// a sink as centre, radius and stamp pixel, the way the rasteriser hands its spans on: the
// canvas sink rasterises it, a test sink records it.
//
// A disc sink provides  stamp(x, y, radiusPx, const Pixel& stamp)  for every disc of radius
// above 0, wherever it lies (the sink decides what reaches its canvas).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "colour/StrokeColours.h"
#include "geometry/RepeatedSum.h"
#include "pixel/PixelTraits.h"
#include "stroke/StrokeInterrupt.h"
#include "stroke/StrokeRecord.h"
#include "taper/TaperShape.h"

// A segment walk longer than this (in samples) is taken for a corrupt record and draws nothing.
inline constexpr double kMaxSamplesPerSegment = 1.0e8;

namespace stamp_loop {

// Whether the walk over the record's segment can end within kMaxSamplesPerSegment samples.
inline bool walkEnds(const BezierSegment& walk) {
  const double distance = walk.endDistance - walk.startDistance;
  if (!(distance > 0.0)) return true;  // over at the first step (or one end point)
  return walk.stepDistance > 0.0 && distance / walk.stepDistance <= kMaxSamplesPerSegment;
}

// Gradation: before the centre Gc the ramp runs start → centre colour over u = (s − B1)/(Gc − B1),
// from Gc on centre → end colour over u = (s − Gc)/(E2 − Gc). Red, green and blue only.
// A ramp of no length (Gc on B1 or on E2) gives u = 0, its first colour: the sample there
// would otherwise get 0/0, a NaN colour in float renders (the integer depths' weight of a
// NaN was already 0).
inline double rampPosition(double distance, double span) { return span != 0.0 ? distance / span : 0.0; }

template <class Pixel>
void applyGradation(const StrokeRecord& record, const StrokeColours<Pixel>& colours, double s, Pixel& stamp) {
  using Traits = PixelTraits<Pixel>;
  const double centre = record.gradationCentrePosition;
  const Pixel* from = &colours.centre;
  const Pixel* to = &colours.end;
  double u;
  if (s < centre) {
    from = &colours.start;
    to = &colours.centre;
    u = rampPosition(s - record.startTaper.begin, centre - record.startTaper.begin);
  } else {
    u = rampPosition(s - centre, record.endTaper.end - centre);
  }
  const auto weight = Traits::rampWeight(u);
  stamp.red = Traits::ramp(from->red, to->red, weight);
  stamp.green = Traits::ramp(from->green, to->green, weight);
  stamp.blue = Traits::ramp(from->blue, to->blue, weight);
}

// Samples are passed over in runs only where that saves something.
inline constexpr double kMinSkippedSamples = 32.0;

// Whether no disc of up to `reach` px around the curve over the walk's current table
// interval can touch the canvas. The piece of the cubic over [t_i, t_i+1] lies within the hull
// of its own control points, P1 = P0 + B'(t_i)·Δt/3 and P2 = P3 − B'(t_i+1)·Δt/3; the margin
// covers the rounding of the walk's evaluation of B(t). NaN anywhere: false.
inline bool intervalMissesCanvas(const BezierSegment& walk, double reach, int width, int height) {
  const int i = walk.tableIndex;
  const double t0 = walk.parameterTable[static_cast<std::size_t>(i)];
  const double t1 = walk.parameterTable[static_cast<std::size_t>(i) + 1];
  const double dt = t1 - t0;
  const auto hull = [&](const CubicCoefficients& c, double& low, double& high) {
    const double p0 = c.at(t0);
    const double p3 = c.at(t1);
    const double p1 = p0 + ((3.0 * c.a * t0 + 2.0 * c.b) * t0 + c.c) * dt / 3.0;
    const double p2 = p3 - ((3.0 * c.a * t1 + 2.0 * c.b) * t1 + c.c) * dt / 3.0;
    low = std::min(std::min(p0, p1), std::min(p2, p3));
    high = std::max(std::max(p0, p1), std::max(p2, p3));
    const double slack = 1e-6 * (std::fabs(low) + std::fabs(high)) + 1.0;
    low -= slack;
    high += slack;
  };
  double minX, maxX, minY, maxY;
  hull(walk.xCoefficients, minX, maxX);
  hull(walk.yCoefficients, minY, maxY);
  return maxX + reach < 0.0 || minX - reach > width || maxY + reach < 0.0 || minY - reach > height;
}

// Opacity profile over u = (s − B1)/(E2 − B1) with centre m:
//   u < m:  o = Os + (O − Os) · u / m
//   else:   o = O + (Oe − O) · (u − m) / (1 − m)
// With m = 1 the sample on E2 gets 0/0: the caller's clamp makes that NaN alpha 0, on the
// stroke's very end, where the taper leaves no radius anyway.
inline double profiledOpacity(const StrokeRecord& record, double s) {
  const double o = record.opacity;
  const double m = record.opacityCentreInStroke;
  const double u = (s - record.startTaper.begin) / (record.endTaper.end - record.startTaper.begin);
  if (u < m) return record.startOpacity + (o - record.startOpacity) * u / m;
  return o + (record.endOpacity - o) * (u - m) / (1.0 - m);
}

}  // namespace stamp_loop

// Walks the record's segment and hands every disc to the sink. Reads the record and changes
// only its walker. A walk that could not end (a step not above 0 over a non-empty segment) or
// would take more than kMaxSamplesPerSegment samples hands on nothing. The walk stops early
// once the record's interrupt (if any) reports that the render is to stop.
template <class Pixel, class DiscSink>
void DrawStrokeSegment(StrokeRecord& record, const StrokeColours<Pixel>& colours, DiscSink& sink) {
  using namespace stamp_loop;
  using namespace taper_shape;
  using Traits = PixelTraits<Pixel>;
  // Nothing to draw: no thickness, no opacity (NaN and negative included), no length.
  if (!(record.thicknessPx > 0.0) || !(record.opacity > 0.0) || record.lengthPosition == 0.0) return;
  BezierSegment& walk = record.segment;
  if (!walkEnds(walk) || !walk.step()) return;

  double s = record.segmentStartPosition;
  ProfileHints hints;
  Pixel stamp = colours.colour;
  double lastRadiusPx = 0.0;
  // No disc is wider than the stroke or its tips (the taper profiles stay within 0 … 1); the
  // canvas sink culls at the radius plus 3.
  const bool skipping = record.canvasWidth > 0 && record.canvasHeight > 0;
  const double reach =
      std::max(record.thicknessPx, std::max(record.startTipThicknessPx, record.endTipThicknessPx)) / 2.0 + 4.0;
  int walkedInterval = -1;  // a table interval found not worth passing over: its samples are walked
  while (true) {
    // The work since the last sample: the sample itself, the rows of its disc, and the pixels
    // a disc may have to fill (a quarter unit each, up to the canvas): the interior of a disc
    // that lands on unsettled pixels costs its area, not its height.
    if (record.interrupt != nullptr) {
      const double canvasArea = static_cast<double>(record.canvasWidth) * static_cast<double>(record.canvasHeight);
      const double fillable = std::min(lastRadiusPx * lastRadiusPx, canvasArea);
      if (record.interrupt->spend(1.0 + 2.0 * lastRadiusPx + 0.25 * fillable)) return;
    }
    lastRadiusPx = 0.0;
    // Far off the canvas: the samples left in this table interval are passed over at once when
    // its piece of curve stays off too. Skipped samples would stamp nothing; the walk's
    // distance and the position reach, to the bit, what walking them would give.
    const bool pointOff = walk.pointX + reach < 0.0 || walk.pointX - reach > record.canvasWidth ||
                          walk.pointY + reach < 0.0 || walk.pointY - reach > record.canvasHeight;
    if (skipping && pointOff && walk.tableIndex != walkedInterval) {
      const double intervalEnd = walk.lengthTable[static_cast<std::size_t>(walk.tableIndex) + 1];
      if ((intervalEnd - walk.currentDistance) / walk.stepDistance <= kMinSkippedSamples ||
          !intervalMissesCanvas(walk, reach, record.canvasWidth, record.canvasHeight)) {
        walkedInterval = walk.tableIndex;  // no need to ask again before the next interval
      } else {
        bool ended = false;
        const std::uint64_t skipped = walk.skipBelow(intervalEnd, ended);
        s = addRepeatedly(s, record.positionStep, skipped);
        if (ended) return;
        continue;
      }
    }

    SampleShape shape{record.thicknessPx / 2.0, record.opacity, false};
    if (record.inOut) {
      shape = taperedShape(record, s, hints);
    } else if (s < record.startTaper.begin || s >= record.endTaper.end) {
      shape.skipped = true;
    }

    if (!shape.skipped && shape.radiusPx != 0.0 && shape.testOpacity != 0.0) {
      if (record.gradation) applyGradation(record, colours, s, stamp);
      const double o = record.opacityProfile ? profiledOpacity(record, s) : record.opacity;
      stamp.alpha = Traits::alphaFromOpacity(o);
      if (shape.radiusPx > 0.0) {
        sink.stamp(walk.pointX, walk.pointY, shape.radiusPx, stamp);
        lastRadiusPx = shape.radiusPx;
      }
    }
    s += record.positionStep;
    if (!walk.step()) return;
  }
}
