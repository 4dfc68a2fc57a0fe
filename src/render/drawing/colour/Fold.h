// A triangle wave that keeps a length or a colour component in 0 … 1: values pushed past an end
// are reflected back instead of clipped.
#pragma once

#include <cmath>

// fold(x): a = |x| − 2 · trunc(|x| · 0.5) (|x| modulo 2); 2 − a when a > 1, else a.
inline double fold(double x) {
  const double magnitude = std::fabs(x);
  const double reduced = magnitude - 2.0 * std::trunc(magnitude * 0.5);
  return reduced > 1.0 ? 2.0 - reduced : reduced;
}
