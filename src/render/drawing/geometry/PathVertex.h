// Mask paths as the renderer sees them: each vertex with its two tangent points, all absolute
// positions in layer pixels. Segment j of a path joins vertex j and vertex j + 1; a path never
// wraps from its last vertex to its first by itself.
#pragma once

#include <vector>

struct PathVertex {
  double x = 0.0;
  double y = 0.0;
  double inTangentX = 0.0;  // control point before the vertex (absolute)
  double inTangentY = 0.0;
  double outTangentX = 0.0;  // control point after the vertex (absolute)
  double outTangentY = 0.0;
};

using Path = std::vector<PathVertex>;
using PathList = std::vector<Path>;

struct PathPoint {
  double x = 0.0;
  double y = 0.0;
};
