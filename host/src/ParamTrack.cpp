#include "aehost/ParamTrack.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace aehost {
namespace {

double mix(double a, double b, double f) { return a + (b - a) * f; }
A_long mixRounded(A_long a, A_long b, double f) { return static_cast<A_long>(std::lround(mix(a, b, f))); }
A_u_char mixChannel(A_u_char a, A_u_char b, double f) { return static_cast<A_u_char>(std::lround(mix(a, b, f))); }

// Between two values of the same alternative; types without a linear meaning hold `a`.
struct Lerp {
  double f;
  ParamValue operator()(const SliderValue& a, const SliderValue& b) const { return SliderValue{mixRounded(a.value, b.value, f)}; }
  ParamValue operator()(const FixedSliderValue& a, const FixedSliderValue& b) const {
    return FixedSliderValue{mix(a.value, b.value, f)};
  }
  ParamValue operator()(const FloatSliderValue& a, const FloatSliderValue& b) const {
    return FloatSliderValue{mix(a.value, b.value, f)};
  }
  ParamValue operator()(const AngleValue& a, const AngleValue& b) const { return AngleValue{mix(a.degrees, b.degrees, f)}; }
  ParamValue operator()(const ColorValue& a, const ColorValue& b) const {
    return ColorValue{mixChannel(a.alpha, b.alpha, f), mixChannel(a.red, b.red, f), mixChannel(a.green, b.green, f),
                      mixChannel(a.blue, b.blue, f)};
  }
  ParamValue operator()(const PointValue& a, const PointValue& b) const { return PointValue{mix(a.x, b.x, f), mix(a.y, b.y, f)}; }
  ParamValue operator()(const Point3DValue& a, const Point3DValue& b) const {
    return Point3DValue{mix(a.x, b.x, f), mix(a.y, b.y, f), mix(a.z, b.z, f)};
  }
  template <typename A, typename B>
  ParamValue operator()(const A& a, const B&) const {
    return a;
  }
};

}  // namespace

Interpolation interpolationFor(const PF_ParamDef& def) {
  if ((def.flags & PF_ParamFlag_CANNOT_INTERP) != 0) return Interpolation::Hold;
  switch (def.param_type) {
    case PF_Param_SLIDER:
    case PF_Param_FIX_SLIDER:
    case PF_Param_FLOAT_SLIDER:
    case PF_Param_ANGLE:
    case PF_Param_COLOR:
    case PF_Param_POINT:
    case PF_Param_POINT_3D:
      return Interpolation::Linear;
    default:
      return Interpolation::Hold;
  }
}

ParamTrack::ParamTrack(ParamValue initial, Interpolation interpolation)
    : staticValue_(std::move(initial)), interpolation_(interpolation) {}

void ParamTrack::setStatic(ParamValue value) {
  staticValue_ = std::move(value);
  keyframes_.clear();
}

void ParamTrack::setKeyframe(A_long time, ParamValue value, KeyframeTiming timing) {
  const auto at = std::lower_bound(keyframes_.begin(), keyframes_.end(), time,
                                   [](const Keyframe& k, A_long t) { return k.time < t; });
  if (at != keyframes_.end() && at->time == time) {
    at->value = std::move(value);
    at->timing = timing;
  } else {
    keyframes_.insert(at, Keyframe{time, std::move(value), timing});
  }
}

void ParamTrack::setKeyframes(std::vector<Keyframe> keyframes) {
  keyframes_.clear();
  for (Keyframe& k : keyframes) setKeyframe(k.time, std::move(k.value), k.timing);
}

void ParamTrack::clearKeyframes() { keyframes_.clear(); }

ParamValue ParamTrack::valueAt(double time) const {
  if (keyframes_.empty()) return staticValue_;
  if (time <= keyframes_.front().time) return keyframes_.front().value;
  if (time >= keyframes_.back().time) return keyframes_.back().value;
  // The first keyframe later than `time`; the one before it is at or before `time`.
  const auto next = std::upper_bound(keyframes_.begin(), keyframes_.end(), time,
                                     [](double t, const Keyframe& k) { return t < k.time; });
  const Keyframe& before = *(next - 1);
  if (interpolation_ == Interpolation::Hold || before.timing.hold || time == before.time) return before.value;
  const double u = (time - before.time) / static_cast<double>(next->time - before.time);
  return std::visit(Lerp{timingProgress(before.timing, next->timing, u)}, before.value, next->value);
}

}  // namespace aehost
