// floor and ceil straight to an integer, inline. The build targets plain SSE2, which has no
// rounding instruction: std::floor is a call into the maths library, and the discs of a stroke
// take several each (their cells, sub-pixel offsets and region rows).
#pragma once

#include <cstdint>

namespace raster {

// floor(v) for |v| < 2^63: the conversion rounds towards zero, exactly; one less where that
// went up (v negative, not whole).
inline std::int64_t floorToInt(double v) {
  const auto t = static_cast<std::int64_t>(v);
  return t - (static_cast<double>(t) > v);
}

// ceil(v) for |v| < 2^63.
inline std::int64_t ceilToInt(double v) {
  const auto t = static_cast<std::int64_t>(v);
  return t + (static_cast<double>(t) < v);
}

}  // namespace raster
