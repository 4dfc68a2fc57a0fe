// Taper profiles: the thickness curve of a stroke's start or end, sampled into a list of points
// (x along the taper, 0 at the tip and 1 at full width; y the thickness factor 0 … 1), and the
// nearest-sample search the stamp loop reads them with.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "AE_Effect.h"
#include "geometry/PathVertex.h"

// The points of a profile (only x and y are used; the tangents are 0), and which way x runs
// along them, kept as points come so that a search may bisect instead of walking.
class TaperProfile {
 public:
  TaperProfile() = default;
  TaperProfile(std::initializer_list<PathVertex> points) {
    for (const PathVertex& point : points) append(point);
  }

  void clear() { *this = TaperProfile{}; }
  void append(const PathVertex& point) {
    if (!points_.empty()) {
      const double last = points_.back().x;
      ascending_ = ascending_ && last <= point.x;
      descending_ = descending_ && last >= point.x;
    } else {
      ascending_ = descending_ = point.x == point.x;
    }
    points_.push_back(point);
  }
  // Reorders the points by falling x, ties kept in their order.
  void sortDescending();

  bool empty() const { return points_.empty(); }
  std::size_t size() const { return points_.size(); }
  const PathVertex& operator[](std::size_t i) const { return points_[i]; }
  const PathVertex& front() const { return points_.front(); }
  const PathVertex& back() const { return points_.back(); }
  // x never falls (rises) from one point to the next; false with a NaN x anywhere.
  bool ascending() const { return ascending_; }
  bool descending() const { return descending_; }

 private:
  Path points_;
  bool ascending_ = true;
  bool descending_ = true;
};

// The profile's Bezier control points for a bias in −1 … 1 ("Start Bias" or "End Bias" / 100).
struct TaperCurve {
  PathPoint p0;
  PathPoint p1;
  PathPoint p2;
  PathPoint p3;
};
TaperCurve taperCurve(double bias);

// Appends about samples + 1 points of the curve, ascending in x and ending at (1, 1); the caller
// clears the list first. PF_Err_BAD_CALLBACK_PARAM, with nothing appended, for a sample count
// that is not positive (0 included) or whose reciprocal is not above 0 (infinity, NaN).
PF_Err buildTaperProfile(TaperProfile& list, double bias, double samples);

// Index of the first record from hint on that, with the record before it, brackets t in a
// profile ascending (descending) in x, or the one before it when that is nearer to t; a tie
// goes to the later record. 0 when nothing brackets t (also for an empty profile and for a
// hint at or past the end). Profiles whose x do run that way are bisected, others walked.
int FindProfileIndexAscending(const TaperProfile& profile, int hint, double t);
int FindProfileIndexDescending(const TaperProfile& profile, int hint, double t);
