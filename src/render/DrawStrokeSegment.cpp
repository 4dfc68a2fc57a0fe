#include "render/DrawStrokeSegment.h"

#include <algorithm>

#include "render/PixelTraits.h"
#include "render/StampDisc.h"

namespace {

bool walkEnds(const BezierSegment& walk) {
  const double distance = walk.endDistance - walk.startDistance;
  if (!(distance > 0.0)) return true;  // over at the first step (or one end point)
  return walk.stepDistance > 0.0 && distance / walk.stepDistance <= kMaxSamplesPerSegment;
}

// The four nearest-sample hints of one call, each only moving forward along its profile.
struct ProfileHints {
  int start = 0;
  int end = 0;
  int fixedStart = 0;
  int fixedEnd = 0;
};

// Thickness factor of an ascending profile at u (the start taper).
bool startFactor(const TaperProfile& profile, int& hint, double u, double& factor) {
  if (profile.empty()) return false;
  hint = FindProfileIndexAscending(profile, hint, u);
  factor = profile[static_cast<std::size_t>(hint)].y;
  return true;
}

// Thickness factor of a descending profile at 1 − u (the end taper).
bool endFactor(const TaperProfile& profile, int& hint, double u, double& factor) {
  if (profile.empty()) return false;
  hint = FindProfileIndexDescending(profile, hint, 1.0 - u);
  factor = profile[static_cast<std::size_t>(hint)].y;
  return true;
}

struct SampleShape {
  double radius = 0.0;  // px
  double testOpacity = 0.0;
  bool skipped = false;
};

// Radius of the disc at position s with tapers, k1 = T/2 − Ts/2, k2 = T/2 − Te/2:
//   start zone [B1, E1):  r = k1 · y(start profile at (s − B1)/(E1 − B1)) + Ts/2
//   end zone (B2, E2):    r = min(r, k2 · y(end profile at 1 − (s − B2)/(E2 − B2)) + Te/2)
//   and, with fixed ends, the same on the zones pinned to the path's ends.
// Before B1 (or a fixed start) and from E2 on, r = 0; past a fixed end the sample is skipped.
template <class Pixel>
SampleShape taperedShape(const StrokeRecord<Pixel>& record, double s, ProfileHints& hints) {
  const double halfThickness = record.thickness / 2.0;
  const double halfStartTip = record.startTipThickness / 2.0;
  const double halfEndTip = record.endTipThickness / 2.0;
  const double k1 = halfThickness - halfStartTip;
  const double k2 = halfThickness - halfEndTip;
  SampleShape shape{halfThickness, record.opacity, false};
  double y = 0.0;

  if (s < record.startTaperEnd) {
    if (s >= record.startTaperBegin) {
      const double u = (s - record.startTaperBegin) / (record.startTaperEnd - record.startTaperBegin);
      if (!startFactor(record.startProfile, hints.start, u, y)) return SampleShape{0.0, 0.0, true};
      shape.radius = k1 * y + halfStartTip;
    } else {
      shape.radius = 0.0;
      shape.testOpacity = 0.0;
    }
  }
  if (s > record.endTaperBegin) {
    if (s < record.endTaperEnd) {
      const double u = (s - record.endTaperBegin) / (record.endTaperEnd - record.endTaperBegin);
      if (!endFactor(record.endProfile, hints.end, u, y)) return SampleShape{0.0, 0.0, true};
      shape.radius = std::min(shape.radius, k2 * y + halfEndTip);
    } else {
      shape.radius = 0.0;
      shape.testOpacity = 0.0;
    }
  }
  if (record.fixedEnds) {
    if (s < record.fixedStartEnd) {
      if (s >= record.fixedStartBegin) {
        const double u = (s - record.fixedStartBegin) / (record.fixedStartEnd - record.fixedStartBegin);
        if (!startFactor(record.startProfile, hints.fixedStart, u, y)) return SampleShape{0.0, 0.0, true};
        shape.radius = std::min(shape.radius, k1 * y + halfStartTip);
      } else {
        shape.radius = 0.0;
        shape.testOpacity = 0.0;
      }
    }
    if (s > record.fixedEndBegin) {
      if (s < record.fixedEndEnd) {
        const double u = (s - record.fixedEndBegin) / (record.fixedEndEnd - record.fixedEndBegin);
        if (!endFactor(record.endProfile, hints.fixedEnd, u, y)) return SampleShape{0.0, 0.0, true};
        shape.radius = std::min(shape.radius, k2 * y + halfEndTip);
      } else {
        shape.skipped = true;
      }
    }
  }
  return shape;
}

// Gradation: before the centre Gc the ramp runs start → centre colour over u = (s − B1)/(Gc − B1),
// from Gc on centre → end colour over u = (s − Gc)/(E2 − Gc). Red, green and blue only.
template <class Pixel>
void applyGradation(const StrokeRecord<Pixel>& record, double s, Pixel& stamp) {
  using Traits = PixelTraits<Pixel>;
  const Pixel* from = &record.centreColour;
  const Pixel* to = &record.endColour;
  double u;
  if (s < record.gradationCentre) {
    from = &record.startColour;
    to = &record.centreColour;
    u = (s - record.startTaperBegin) / (record.gradationCentre - record.startTaperBegin);
  } else {
    u = (s - record.gradationCentre) / (record.endTaperEnd - record.gradationCentre);
  }
  const auto weight = Traits::rampWeight(u);
  stamp.red = Traits::ramp(from->red, to->red, weight);
  stamp.green = Traits::ramp(from->green, to->green, weight);
  stamp.blue = Traits::ramp(from->blue, to->blue, weight);
}

// Opacity profile over u = (s − B1)/(E2 − B1) with centre m:
//   u < m:  o = Os + (O − Os) · u / m
//   else:   o = O + (Oe − O) · (u − m) / (1 − m)
template <class Pixel>
double profiledOpacity(const StrokeRecord<Pixel>& record, double s) {
  const double o = record.opacity;
  const double m = record.opacityCentre;
  const double u = (s - record.startTaperBegin) / (record.endTaperEnd - record.startTaperBegin);
  if (u < m) return record.startOpacity + (o - record.startOpacity) * u / m;
  return o + (record.endOpacity - o) * (u - m) / (1.0 - m);
}

}  // namespace

template <class Pixel>
int DrawStrokeSegment(StrokeCanvas& canvas, StrokeRecord<Pixel>& record) {
  using Traits = PixelTraits<Pixel>;
  // Nothing to draw: no thickness, no opacity (NaN and negative included), no length.
  if (!(record.thickness > 0.0) || !(record.opacity > 0.0) || record.length == 0.0) return 0;
  BezierSegment& walk = record.segment;
  if (!walkEnds(walk) || !walk.step()) return 0;

  const double width = canvas.width;
  const double height = canvas.height;
  double s = record.segmentStart;
  ProfileHints hints;
  Pixel stamp = record.colour;
  do {
    SampleShape shape{record.thickness / 2.0, record.opacity, false};
    if (record.inOut) {
      shape = taperedShape(record, s, hints);
    } else if (s < record.startTaperBegin || s >= record.endTaperEnd) {
      shape.skipped = true;
    }

    if (!shape.skipped && shape.radius != 0.0 && shape.testOpacity != 0.0) {
      if (record.gradation) applyGradation(record, s, stamp);
      // The zeroed test opacity of the tapers only decides the skip; the opacity drawn is this.
      const double o = record.opacityProfile ? profiledOpacity(record, s) : record.opacity;
      stamp.alpha = Traits::alphaFromOpacity(o);

      const double r = shape.radius;
      const double x = walk.pointX;
      const double y = walk.pointY;
      const bool boxMissesCanvas = x - r > width || y - r > height || x + r < 0.0 || y + r < 0.0;
      if (r > 0.0 && canvas.workWorld && !boxMissesCanvas) {
        if (r < 5.0) {
          StampSmallDisc(canvas, x, y, r, stamp);
        } else {
          StampLargeDisc(canvas, x, y, r, stamp);
        }
      }
    }
    s += record.positionStep;
  } while (walk.step());
  return 0;
}

template int DrawStrokeSegment<PF_Pixel8>(StrokeCanvas&, StrokeRecord<PF_Pixel8>&);
template int DrawStrokeSegment<PF_Pixel16>(StrokeCanvas&, StrokeRecord<PF_Pixel16>&);
template int DrawStrokeSegment<PF_PixelFloat>(StrokeCanvas&, StrokeRecord<PF_PixelFloat>&);
