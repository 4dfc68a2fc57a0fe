// The thickness of a tapered stroke at one sample: the start and end tapers over their zones
// of the stroke, and the same tapers pinned to the ends of each path ("Fixed Ends Shape"),
// read from the taper profiles by nearest sample.
#pragma once

#include <algorithm>

#include "stroke/StrokeRecord.h"
#include "taper/TaperProfile.h"

namespace taper_shape {

// The four nearest-sample hints of one call, each only moving forward along its profile.
struct ProfileHints {
  int start = 0;
  int end = 0;
  int fixedStart = 0;
  int fixedEnd = 0;
};

// Thickness factor of an ascending profile at u (the start taper).
inline bool startFactor(const TaperProfile& profile, int& hint, double u, double& factor) {
  if (profile.empty()) return false;
  hint = FindProfileIndexAscending(profile, hint, u);
  factor = profile[static_cast<std::size_t>(hint)].y;
  return true;
}

// Thickness factor of a descending profile at 1 − u (the end taper).
inline bool endFactor(const TaperProfile& profile, int& hint, double u, double& factor) {
  if (profile.empty()) return false;
  hint = FindProfileIndexDescending(profile, hint, 1.0 - u);
  factor = profile[static_cast<std::size_t>(hint)].y;
  return true;
}

struct SampleShape {
  double radiusPx = 0.0;
  double testOpacity = 0.0;  // only decides the skip below; not the opacity drawn
  bool skipped = false;
};

// Radius of the disc at position s with tapers, k1 = T/2 − Ts/2, k2 = T/2 − Te/2:
//   start zone [B1, E1):  r = k1 · y(start profile at (s − B1)/(E1 − B1)) + Ts/2
//   end zone (B2, E2):    r = min(r, k2 · y(end profile at 1 − (s − B2)/(E2 − B2)) + Te/2)
//   and, with fixed ends, the same on the zones pinned to the path's ends.
// Before B1 (or a fixed start) and from E2 on, r = 0; past a fixed end the sample is skipped.
inline SampleShape taperedShape(const StrokeRecord& record, double s, ProfileHints& hints) {
  const double halfThickness = record.thicknessPx / 2.0;
  const double halfStartTip = record.startTipThicknessPx / 2.0;
  const double halfEndTip = record.endTipThicknessPx / 2.0;
  const double k1 = halfThickness - halfStartTip;
  const double k2 = halfThickness - halfEndTip;
  const PositionRange& start = record.startTaper;
  const PositionRange& end = record.endTaper;
  SampleShape shape{halfThickness, record.opacity, false};
  double y = 0.0;

  if (s < start.end) {
    if (s >= start.begin) {
      const double u = (s - start.begin) / (start.end - start.begin);
      if (!startFactor(record.startProfile, hints.start, u, y)) return SampleShape{0.0, 0.0, true};
      shape.radiusPx = k1 * y + halfStartTip;
    } else {
      shape.radiusPx = 0.0;
      shape.testOpacity = 0.0;
    }
  }
  if (s > end.begin) {
    if (s < end.end) {
      const double u = (s - end.begin) / (end.end - end.begin);
      if (!endFactor(record.endProfile, hints.end, u, y)) return SampleShape{0.0, 0.0, true};
      shape.radiusPx = std::min(shape.radiusPx, k2 * y + halfEndTip);
    } else {
      shape.radiusPx = 0.0;
      shape.testOpacity = 0.0;
    }
  }
  if (record.fixedEnds) {
    const PositionRange& fixedStart = record.fixedStart;
    const PositionRange& fixedEnd = record.fixedEnd;
    if (s < fixedStart.end) {
      if (s >= fixedStart.begin) {
        const double u = (s - fixedStart.begin) / (fixedStart.end - fixedStart.begin);
        if (!startFactor(record.startProfile, hints.fixedStart, u, y)) return SampleShape{0.0, 0.0, true};
        shape.radiusPx = std::min(shape.radiusPx, k1 * y + halfStartTip);
      } else {
        shape.radiusPx = 0.0;
        shape.testOpacity = 0.0;
      }
    }
    if (s > fixedEnd.begin) {
      if (s < fixedEnd.end) {
        const double u = (s - fixedEnd.begin) / (fixedEnd.end - fixedEnd.begin);
        if (!endFactor(record.endProfile, hints.fixedEnd, u, y)) return SampleShape{0.0, 0.0, true};
        shape.radiusPx = std::min(shape.radiusPx, k2 * y + halfEndTip);
      } else {
        shape.skipped = true;
      }
    }
  }
  return shape;
}

}  // namespace taper_shape
