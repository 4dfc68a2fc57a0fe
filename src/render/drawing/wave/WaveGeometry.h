// Point lookups on a cubic by its chord-length table, shared by the corner rounding and the
// wave: arc length → curve parameter, and the de Casteljau split at that parameter.
#pragma once

#include "geometry/BezierSegment.h"
#include "geometry/PathVertex.h"

struct CubicControlPoints {
  PathPoint p0, p1, p2, p3;
};

// The curve point at t and the two inner points of the split there: ab ends the left part
// (P0, a, ab, P) and bc starts the right part (P, bc, c, P3).
struct CubicSplit {
  PathPoint a, ab, point, bc, c;
};

// Segment j of a path: from vertex j through its out-tangent and the in-tangent of vertex j + 1.
CubicControlPoints segmentControlPoints(const PathVertex& from, const PathVertex& to);

// Table inverse: k = the first sample whose cumulative length exceeds arc; t = 1 when there is
// none, 0 when k = 0, else linear between samples k − 1 and k (t of sample k − 1 when their
// lengths are equal). Any arc, NaN included, gives a t in the table's range.
double parameterAtArc(const BezierSegment& segment, double arc);

// de Casteljau with lerp(p, q, t) = (1 − t)·p + t·q, which gives P0 exactly at t = 0 and P3
// exactly at t = 1.
CubicSplit splitCubic(const CubicControlPoints& cubic, double t);
