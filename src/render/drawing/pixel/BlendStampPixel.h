// How a stamp pixel is laid onto the work world. The alpha kept is the larger of the two, so
// the overlapping stamps of one stroke never build up beyond the stamp's own opacity.
#pragma once

#include "AE_Effect.h"
#include "pixel/PixelTraits.h"

// sa, da = source and destination alpha; full = 255 / 32768 / 1.0
//   sa = 0:                 nothing
//   da = 0 or sa = full:    dst = src
//   same red, green, blue:  da' = max(da, sa)
//   otherwise:              w = (full − sa) · da   (8-bit >> 8, 16-bit >> 15, float exact)
//                           A = sa + w;  c' = (src · sa + dst · w) / A;  da' = max(da, sa)
// Defined here so the stamp loops inline it; instantiated for the three depths in the .cpp.
template <class Pixel>
inline void BlendStampPixel(Pixel& dst, const Pixel& src) {
  using Traits = PixelTraits<Pixel>;
  const auto sa = src.alpha;
  const auto da = dst.alpha;
  if (sa == 0) return;
  if (da == 0 || sa == Traits::full) {
    dst = src;
    return;
  }
  if (src.red != dst.red || src.green != dst.green || src.blue != dst.blue) {
    const auto w = Traits::blendWeight(sa, da);
    const auto a = Traits::blendAlpha(sa, w);
    // Only channels above full (malformed input) can make A non-positive: no division by it.
    if (!(a > 0)) {
      dst = src;
      return;
    }
    dst.red = Traits::blendChannel(src.red, sa, dst.red, w, a);
    dst.green = Traits::blendChannel(src.green, sa, dst.green, w, a);
    dst.blue = Traits::blendChannel(src.blue, sa, dst.blue, w, a);
  }
  // The alpha written is the larger one, not A.
  if (sa > da) dst.alpha = sa;
}
