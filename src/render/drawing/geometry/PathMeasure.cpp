#include "geometry/PathMeasure.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "geometry/BezierSegment.h"

double pathLength(const Path& path) {
  double length = 0.0;
  BezierSegment segment;
  for (std::size_t j = 0; j + 1 < path.size(); ++j) {
    const PathVertex& from = path[j];
    const PathVertex& to = path[j + 1];
    segment.setUp(from.x, from.y, from.outTangentX, from.outTangentY, to.inTangentX, to.inTangentY, to.x, to.y);
    length += segment.totalLength();
  }
  return length;
}

namespace {

struct Box {
  double minX = std::numeric_limits<double>::infinity();
  double minY = std::numeric_limits<double>::infinity();
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();
  bool empty = true;

  void add(double x, double y) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
    empty = false;
  }

  void add(const Path& path) {
    for (const PathVertex& v : path) {
      add(v.x, v.y);
      add(v.inTangentX, v.inTangentY);
      add(v.outTangentX, v.outTangentY);
    }
  }

  // ((max − min) · 0.5 + min) per axis
  PathPoint centre() const {
    if (empty) return PathPoint{};
    return PathPoint{(maxX - minX) * 0.5 + minX, (maxY - minY) * 0.5 + minY};
  }
};

}  // namespace

PathPoint boundingBoxCentre(const Path& path) {
  Box box;
  box.add(path);
  return box.centre();
}

PathPoint boundingBoxCentre(const PathList& paths) {
  Box box;
  for (const Path& path : paths) box.add(path);
  return box.centre();
}
