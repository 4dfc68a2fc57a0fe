// The number of SVG attributes (path data, transforms, lengths, viewBox): a sign, digits with
// at most one point, an optional exponent. Read as browsers read it, so "1.5.5" is 1.5 then .5
// and "1-2" is 1 then -2; a value too small for a double (1e-400) is zero.
#pragma once

#include <cstddef>
#include <string_view>

namespace inkline_cli {

struct SvgNumber {
  enum class Problem { None, NoDigits, OutOfRange };
  double value = 0.0;
  std::size_t length = 0;  // characters read
  Problem problem = Problem::None;
};

// The number at the start of `text` (no spaces skipped).
SvgNumber readSvgNumber(std::string_view text);

}  // namespace inkline_cli
