// SVG's 2-D affine transforms: the matrix [a c e; b d f; 0 0 1] and the transform lists of
// the "transform" attribute.
#pragma once

#include <stdexcept>
#include <string_view>

#include "aehost/Mask.h"

namespace inkline_cli {

struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  aehost::MaskPoint apply(aehost::MaskPoint p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
  // The most the transform stretches a length (the largest singular value of [a c; b d]).
  double largestScale() const;

  static Affine translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static Affine scale(double x, double y) { return {x, 0, 0, y, 0, 0}; }
};

// m * n: n applied first, then m (the order of "transform='m n'").
Affine operator*(const Affine& m, const Affine& n);

// Malformed transform text; what() says what and where.
class TransformError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "matrix(a b c d e f)", "translate(x [y])", "scale(x [y])", "rotate(deg [cx cy])", "skewX(deg)",
// "skewY(deg)", separated by spaces or commas, applied right to left as SVG does. Empty text is
// the identity.
Affine parseTransformList(std::string_view text);

}  // namespace inkline_cli
