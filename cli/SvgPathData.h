// SVG path data ("M 10 20 C ...") as mask outlines: M, L, H, V, C, S, Q, T, A and Z, absolute
// and relative. Quadratic segments are raised to cubics, which describe the same curve, since
// masks are cubic; elliptical arcs become cubics within 0.01 px of the ellipse. Every subpath
// becomes one outline; Z closes it.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "aehost/Mask.h"

namespace inkline_cli {

struct MaskOutline {
  std::vector<aehost::MaskVertex> vertices;  // absolute tangents; corners have them on the vertex
  bool closed = false;
};

// What is wrong and where: `position` is the 0-based offset of the offending character.
class PathDataError : public std::runtime_error {
 public:
  PathDataError(std::size_t position, const std::string& problem) : std::runtime_error(problem), position_(position) {}
  std::size_t position() const { return position_; }

 private:
  std::size_t position_;
};

// Subpaths with fewer than two vertices (a lone moveto) draw nothing and are dropped. Throws
// PathDataError for malformed data and data that draws nothing. `scale`: layer pixels per unit
// of the data at most (the data is drawn through a transform), which sets how finely arcs are
// split.
std::vector<MaskOutline> parseSvgPathData(std::string_view data, double scale = 1.0);

// "at character N: problem" followed by the data around it and a caret under the character.
std::string describePathDataError(std::string_view data, const PathDataError& error);

}  // namespace inkline_cli
