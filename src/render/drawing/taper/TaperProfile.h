// Taper profiles: the thickness curve of a stroke's start or end, sampled into a list of points
// (x along the taper, 0 at the tip and 1 at full width; y the thickness factor 0 … 1), and the
// nearest-sample search the stamp loop reads them with.
#pragma once

#include "AE_Effect.h"
#include "geometry/PathVertex.h"

// Only x and y of each record are used; the tangents are 0.
using TaperProfile = Path;

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

// Index of the record nearest to t, searching forward from hint through a profile ascending
// (or descending) in x; a tie goes to the later record. 0 when nothing brackets t (also for an
// empty profile and for a hint at or past the end).
int FindProfileIndexAscending(const TaperProfile& profile, int hint, double t);
int FindProfileIndexDescending(const TaperProfile& profile, int hint, double t);
