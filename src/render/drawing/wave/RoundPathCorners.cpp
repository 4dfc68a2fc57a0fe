#include "wave/RoundPathCorners.h"

#include <cmath>
#include <cstddef>

#include "geometry/BezierSegment.h"
#include "wave/WaveGeometry.h"

namespace {

// A side "has no handle" when its tangent point is the vertex itself, exactly.
bool hasInHandle(const PathVertex& v) { return v.inTangentX != v.x || v.inTangentY != v.y; }
bool hasOutHandle(const PathVertex& v) { return v.outTangentX != v.x || v.outTangentY != v.y; }

// Both segments p → v and v → q are straight lines. The corner vertex is given by its two
// sides because on a closed path its in-handle lives on the last vertex.
bool isSharp(const PathVertex& p, const PathVertex& vIn, const PathVertex& vOut, const PathVertex& q) {
  return !hasOutHandle(p) && !hasInHandle(vIn) && !hasOutHandle(vOut) && !hasInHandle(q);
}

struct CornerCut {
  PathVertex a;       // on the side p → v
  PathVertex b;       // on the side v → q
  double d1 = 0.0;    // |v − p|
  double d2 = 0.0;    // |q − v|
};

PathPoint unitDirection(PathPoint from, PathPoint to) {
  const double angle = std::atan2(to.y - from.y, to.x - from.x);
  return PathPoint{std::cos(angle), std::sin(angle)};
}

double distance(PathPoint from, PathPoint to) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  return std::sqrt(dx * dx + dy * dy);
}

PathVertex vertexAt(PathPoint position, PathPoint inTangent, PathPoint outTangent) {
  return PathVertex{position.x, position.y, inTangent.x, inTangent.y, outTangent.x, outTangent.y};
}

// v + u·s and v − u·s
PathPoint ahead(PathPoint v, PathPoint u, double s) { return PathPoint{v.x + u.x * s, v.y + u.y * s}; }
PathPoint behind(PathPoint v, PathPoint u, double s) { return PathPoint{v.x - u.x * s, v.y - u.y * s}; }

CornerCut cutCorner(PathPoint p, PathPoint v, PathPoint q, double rc) {
  const PathPoint u1 = unitDirection(p, v);
  const PathPoint u2 = unitDirection(v, q);
  CornerCut cut;
  cut.d1 = distance(p, v);
  cut.d2 = distance(v, q);
  const double half1 = cut.d1 / 2.0;
  const double half2 = cut.d2 / 2.0;
  if (rc <= 1.0) {
    // A = v − u1·(d1/2·RC), handles meeting at v; B = v + u2·(d2/2·RC)
    const PathPoint a = behind(v, u1, half1 * rc);
    const PathPoint b = ahead(v, u2, half2 * rc);
    cut.a = vertexAt(a, a, v);
    cut.b = vertexAt(b, v, b);
  } else {
    // A = v − u1·d1/2 with out-tangent v − u1·(d1/2·(RC − 1)); B likewise on the other side
    const PathPoint a = behind(v, u1, half1);
    const PathPoint b = ahead(v, u2, half2);
    cut.a = vertexAt(a, a, behind(v, u1, half1 * (rc - 1.0)));
    cut.b = vertexAt(b, ahead(v, u2, half2 * (rc - 1.0)), b);
  }
  return cut;
}

PathPoint positionOf(const PathVertex& v) { return PathPoint{v.x, v.y}; }

// Interior vertices 1 … n − 2, each replaced by its cut when sharp.
void appendInterior(double rc, Path& out, const Path& in) {
  for (std::size_t i = 1; i + 1 < in.size(); ++i) {
    const PathVertex& p = in[i - 1];
    const PathVertex& v = in[i];
    const PathVertex& q = in[i + 1];
    if (isSharp(p, v, v, q)) {
      const CornerCut cut = cutCorner(positionOf(p), positionOf(v), positionOf(q), rc);
      out.push_back(cut.a);
      out.push_back(cut.b);
    } else {
      out.push_back(v);
    }
  }
}

}  // namespace

void RoundPathCorners(double roundCorners, Path& out, const Path& in) {
  const std::size_t n = in.size();
  if (n < 3 || !(roundCorners > 0.0)) {
    out.insert(out.end(), in.begin(), in.end());
    return;
  }

  const PathVertex& first = in.front();
  const PathVertex& last = in.back();
  const bool closed = first.x == last.x && first.y == last.y;
  if (!closed || !isSharp(in[n - 2], last, first, in[1])) {
    out.push_back(first);
    appendInterior(roundCorners, out, in);
    out.push_back(last);
    return;
  }

  // The closing corner: cut it, then split the corner curve S = (A, A.out, B.in, B) at M, where
  // arc(M) = length(S)·d1 / (d1 + d2), so the path can start and end in the corner's middle.
  const CornerCut cut = cutCorner(positionOf(in[n - 2]), positionOf(first), positionOf(in[1]), roundCorners);
  const CubicControlPoints corner = segmentControlPoints(cut.a, cut.b);
  BezierSegment measure;
  measure.setUp(corner.p0.x, corner.p0.y, corner.p1.x, corner.p1.y, corner.p2.x, corner.p2.y, corner.p3.x,
                corner.p3.y);
  const double sides = cut.d1 + cut.d2;
  // Both sides of length 0: the corner is a single point and any split point will do.
  const double arc = sides > 0.0 ? measure.totalLength() * cut.d1 / sides : 0.0;
  const CubicSplit split = splitCubic(corner, parameterAtArc(measure, arc));

  const PathPoint m = split.point;
  out.push_back(vertexAt(m, m, split.bc));
  out.push_back(vertexAt(positionOf(cut.b), split.c, positionOf(cut.b)));
  appendInterior(roundCorners, out, in);
  out.push_back(vertexAt(positionOf(cut.a), positionOf(cut.a), split.a));
  out.push_back(vertexAt(m, split.ab, m));
}
