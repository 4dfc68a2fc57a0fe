#pragma once

#include <utility>
#include <vector>

#include "AE_Effect.h"
#include "aehost/KeyframeTiming.h"
#include "aehost/ParamValue.h"

namespace aehost {

// A keyframe at a time in the composition's time units (Composition::timeScale ticks).
struct Keyframe {
  Keyframe() = default;
  Keyframe(A_long time, ParamValue value, KeyframeTiming timing = KeyframeTiming::linear())
      : time(time), value(std::move(value)), timing(timing) {}

  A_long time = 0;
  ParamValue value;
  KeyframeTiming timing;  // how the segments on either side run
};

enum class Interpolation { Linear, Hold };

// How After Effects moves between keyframes of this parameter: linearly for numbers,
// colours and points, in steps for choices, checkboxes, masks and layers, and in steps for
// anything registered with PF_ParamFlag_CANNOT_INTERP.
Interpolation interpolationFor(const PF_ParamDef& def);

// One parameter's value over time: a static value, or keyframes that take over from it.
// Before the first keyframe the value is the first keyframe's, after the last the last's;
// between two, each keyframe's timing shapes its side of the segment (a parameter that
// cannot interpolate holds whatever the timing). The value depends on nothing but these and
// the time asked for.
class ParamTrack {
 public:
  ParamTrack(ParamValue initial, Interpolation interpolation);

  void setStatic(ParamValue value);  // and removes the keyframes
  // Replaces one at the same time.
  void setKeyframe(A_long time, ParamValue value, KeyframeTiming timing = KeyframeTiming::linear());
  void setKeyframes(std::vector<Keyframe> keyframes);
  void clearKeyframes();  // back to the static value

  const ParamValue& staticValue() const { return staticValue_; }
  const std::vector<Keyframe>& keyframes() const { return keyframes_; }
  Interpolation interpolation() const { return interpolation_; }

  ParamValue valueAt(double time) const;

 private:
  ParamValue staticValue_;
  std::vector<Keyframe> keyframes_;  // sorted by time, one per time
  Interpolation interpolation_;
};

}  // namespace aehost
