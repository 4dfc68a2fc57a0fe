// How a stamp pixel is laid onto the work world. The alpha kept is the larger of the two, so
// the overlapping stamps of one stroke never build up beyond the stamp's own opacity.
#pragma once

#include <cstring>

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

// BlendStampPixel on a canvas of the stamp's colour alone (every pixel transparent black or of
// that colour, the stamp's alpha at most full): a transparent pixel takes the stamp (if its
// alpha is above 0), a coloured one the stamp's alpha if larger, which is the stamp again. So
// the larger alpha is kept. A select, not a branch: along a stroke's edge it is a coin toss.
template <class Pixel>
inline void KeepLargerAlpha(Pixel& dst, const Pixel& src) {
  const Pixel current = dst;
  dst = src.alpha > current.alpha ? src : current;
}

// Whether BlendStampPixel(dst, stamp) leaves dst exactly as it is:
//   an opaque stamp:  only dst equal to it, bit for bit;
//   otherwise:        dst of the stamp's red, green and blue with alpha ≥ the stamp's
//                     (then only the alpha can be written, and max(da, sa) is da).
template <class Pixel>
inline bool StampLeavesPixel(const Pixel& dst, const Pixel& stamp) {
  if (stamp.alpha == PixelTraits<Pixel>::full) return std::memcmp(&dst, &stamp, sizeof(Pixel)) == 0;
  return dst.red == stamp.red && dst.green == stamp.green && dst.blue == stamp.blue && dst.alpha >= stamp.alpha;
}

// Whether every pixel StampLeavesPixel accepts is also left alone by the stamp at any
// coverage: the alpha is above 0 and at most full, no colour is NaN, and coverage never
// raises the alpha (then the scaled stamp has the same colours and an alpha ≤ the stamp's,
// full only when the stamp's is, and writes nothing).
template <class Pixel>
inline bool StampCanSettle(const Pixel& stamp) {
  using Traits = PixelTraits<Pixel>;
  const bool coloursAreNumbers = stamp.red == stamp.red && stamp.green == stamp.green && stamp.blue == stamp.blue;
  return stamp.alpha > 0 && stamp.alpha <= Traits::full && coloursAreNumbers &&
         Traits::scaleByCoverage(stamp.alpha, 255) <= stamp.alpha;
}
