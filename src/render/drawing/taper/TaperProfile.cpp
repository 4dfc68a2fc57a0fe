#include "taper/TaperProfile.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "geometry/BezierSegment.h"

TaperCurve taperCurve(double bias) {
  // θ = (b + 1) · π / 4: the first handle turns from the x axis (b = −1) to the y axis (b = 1).
  const double theta = (bias + 1.0) * 3.141592653589793 * 0.25;
  // Negative bias lengthens the first handle along x (slow start, thin tip); positive bias moves
  // the second handle left (fast rise). 0.6000000000000001 as written: part of the exact result.
  const double k = bias >= 0.0 ? 0.2 : 0.8 - (bias + 1.0) * 0.6000000000000001;
  const double m = bias >= 0.0 ? bias * 0.6000000000000001 + 0.2 : 0.2;
  return TaperCurve{PathPoint{0.0, 0.0}, PathPoint{k * std::cos(theta), k * std::sin(theta)}, PathPoint{1.0 - m, 1.0},
                    PathPoint{1.0, 1.0}};
}

namespace {

PathVertex profilePoint(double x, double y) {
  PathVertex point;
  point.x = x;
  point.y = y;
  return point;
}

}  // namespace

PF_Err buildTaperProfile(TaperProfile& list, double bias, double samples) {
  const TaperCurve curve = taperCurve(bias);
  BezierSegment segment;
  segment.setUp(curve.p0.x, curve.p0.y, curve.p1.x, curve.p1.y, curve.p2.x, curve.p2.y, curve.p3.x, curve.p3.y);

  // Refused: a sample count that is not positive, including +0 (whose reciprocal is +inf, not
  // below 0) and +inf (whose reciprocal is 0), and NaN.
  const double perSample = 1.0 / samples;
  if (!(samples > 0.0) || !(perSample > 0.0)) return PF_Err_BAD_CALLBACK_PARAM;
  segment.beginWalk(segment.totalLength() * perSample, true);

  const std::size_t firstAppended = list.size();
  while (segment.step()) list.append(profilePoint(std::min(segment.pointX, 1.0), std::min(segment.pointY, 1.0)));

  // B(1) may fall a hair short of (1, 1): the profile must end at full width.
  if (list.size() == firstAppended || list.back().x < 1.0 || list.back().y < 1.0) list.append(profilePoint(1.0, 1.0));
  return PF_Err_NONE;
}

void TaperProfile::sortDescending() {
  Path points = std::move(points_);
  std::stable_sort(points.begin(), points.end(), [](const PathVertex& a, const PathVertex& b) { return a.x > b.x; });
  clear();
  for (const PathVertex& point : points) append(point);
}

namespace {

// The search shared by both directions; inOrder(a, b) is a ≤ b ascending and a ≥ b descending.
// Record i brackets t when inOrder(x[i − 1], t) and inOrder(t, x[i]) (record `first` pairs with
// the one before it, or itself at 0). Where x runs in order, the first condition holds up to
// some record and the second from some record on, so the only candidate is the first record
// with inOrder(t, x[i]): found by galloping from the hint, then bisecting.
template <class InOrder>
int findProfileIndex(const TaperProfile& profile, bool runsInOrder, int hint, double t, InOrder inOrder) {
  const int n = static_cast<int>(profile.size());
  const int first = std::max(hint, 0);
  if (first >= n) return 0;
  const auto x = [&](int i) { return profile[static_cast<std::size_t>(i)].x; };
  if (runsInOrder) {
    int low = first;   // every record before low fails inOrder(t, x)
    int high = first;  // n, or a record that passes
    for (int stride = 1; high < n && !inOrder(t, x(high)); stride *= 2) {
      low = high + 1;
      high = std::min(n, high + stride);
    }
    while (low < high) {
      const int middle = low + (high - low) / 2;
      if (inOrder(t, x(middle))) {
        high = middle;
      } else {
        low = middle + 1;
      }
    }
    if (low == n) return 0;
    const double previous = x(std::max(low - 1, 0));
    if (!inOrder(previous, t)) return 0;
    return std::fabs(t - previous) >= std::fabs(t - x(low)) ? low : low - 1;
  }
  double previous = x(std::max(first - 1, 0));
  for (int i = first; i < n; ++i) {
    if (inOrder(previous, t) && inOrder(t, x(i))) return std::fabs(t - previous) >= std::fabs(t - x(i)) ? i : i - 1;
    previous = x(i);
  }
  return 0;
}

}  // namespace

int FindProfileIndexAscending(const TaperProfile& profile, int hint, double t) {
  return findProfileIndex(profile, profile.ascending(), hint, t, [](double a, double b) { return a <= b; });
}

int FindProfileIndexDescending(const TaperProfile& profile, int hint, double t) {
  return findProfileIndex(profile, profile.descending(), hint, t, [](double a, double b) { return a >= b; });
}
