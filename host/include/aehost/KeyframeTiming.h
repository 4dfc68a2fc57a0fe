// How time runs between two keyframes, as After Effects shapes it. Every keyframe has an
// incoming and an outgoing side. Each side is a handle of the cubic-bezier timing curve of
// the segment it borders (as CSS's cubic-bezier, in the segment's unit square of time and
// progress), or the outgoing side holds the value until the next keyframe. A segment from
// keyframe A to keyframe B runs along the curve (0, 0), A.out, B.in, (1, 1).
#pragma once

namespace aehost {

struct TimingHandle {
  double x = 0;  // time, 0 … 1
  double y = 0;  // progress; may leave 0 … 1 (overshoot)
  bool operator==(const TimingHandle&) const = default;
};

struct KeyframeTiming {
  TimingHandle in{2.0 / 3.0, 2.0 / 3.0};   // ends the segment before the keyframe
  TimingHandle out{1.0 / 3.0, 1.0 / 3.0};  // starts the segment after it
  bool hold = false;                       // the segment after it keeps its value
  bool operator==(const KeyframeTiming&) const = default;

  // Straight handles on both sides: progress equals time.
  static KeyframeTiming linear() { return {}; }
  // After Effects' Easy Ease: speed 0 and influence 1/3 on both sides; Easy Ease In eases the
  // side arriving at the keyframe, Easy Ease Out the side leaving it.
  static KeyframeTiming ease() { return {{2.0 / 3.0, 1.0}, {1.0 / 3.0, 0.0}, false}; }
  static KeyframeTiming easeIn() { return {{2.0 / 3.0, 1.0}, {1.0 / 3.0, 1.0 / 3.0}, false}; }
  static KeyframeTiming easeOut() { return {{2.0 / 3.0, 2.0 / 3.0}, {1.0 / 3.0, 0.0}, false}; }
  static KeyframeTiming holdOut() { return {{2.0 / 3.0, 2.0 / 3.0}, {1.0 / 3.0, 1.0 / 3.0}, true}; }
  // CSS's cubic-bezier(x1, y1, x2, y2) for the keyframe's sides: (x1, y1) leaving it, (x2, y2)
  // arriving at it, so that keyframes that all have it run every segment along that curve.
  static KeyframeTiming bezier(double x1, double y1, double x2, double y2) { return {{x2, y2}, {x1, y1}, false}; }
};

// How far from `from`'s value to `to`'s the segment between them is at time fraction u
// (0 … 1): the timing curve's progress where its time is u. Straight handles on both sides
// give u itself, exactly. Hold is the caller's to honour.
double timingProgress(const KeyframeTiming& from, const KeyframeTiming& to, double u);

}  // namespace aehost
