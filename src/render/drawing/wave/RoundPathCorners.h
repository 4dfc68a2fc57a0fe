// Rounds the sharp corners of a path before the wave follows it. A sharp corner is a vertex
// where two straight segments meet (no handle at either end of either segment).
#pragma once

#include "geometry/PathVertex.h"

// Appends the rounded path to out. roundCorners (0 … 2): up to 1 the cut grows to the middle
// of each side with both handles at the corner; from 1 to 2 the cut stays at the middles and
// the handles shrink until, at 2, the corner is a straight chamfer. Paths of fewer than three
// vertices and roundCorners ≤ 0 (or NaN) are copied unchanged.
//
// Open paths keep their first and last vertex. A closed path (first and last vertex at the
// same place) whose closing corner is sharp comes back starting and ending at M, the point of
// the rounded closing corner that divides its arc length in the ratio of the two sides.
void RoundPathCorners(double roundCorners, Path& out, const Path& in);
