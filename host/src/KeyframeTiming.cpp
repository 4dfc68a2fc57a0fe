#include "aehost/KeyframeTiming.h"

namespace aehost {

namespace {

// One coordinate of the cubic with ends 0 and 1 and inner control values a, b, at s.
double cubic(double a, double b, double s) {
  const double r = 1.0 - s;
  return 3.0 * r * r * s * a + 3.0 * r * s * s * b + s * s * s;
}

}  // namespace

double timingProgress(const KeyframeTiming& from, const KeyframeTiming& to, double u) {
  const TimingHandle& first = from.out;
  const TimingHandle& second = to.in;
  if (first == KeyframeTiming{}.out && second == KeyframeTiming{}.in) return u;
  if (u <= 0.0) return 0.0;
  if (u >= 1.0) return 1.0;
  // The curve's time rises with s when both handles' times lie in 0 … 1 (the scene reader
  // keeps them there): bisection finds the s whose time is u, the same steps every run.
  double low = 0.0;
  double high = 1.0;
  double s = u;
  for (int i = 0; i < 64; ++i) {
    s = (low + high) / 2.0;
    const double x = cubic(first.x, second.x, s);
    if (x == u) break;
    (x < u ? low : high) = s;
  }
  return cubic(first.y, second.y, s);
}

}  // namespace aehost
