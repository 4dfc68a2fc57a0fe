// A stamp with its alpha scaled by every coverage 0 … 255, worked out once per stamp: the
// blends of a canvas of one colour read it per pixel instead of scaling the alpha each time.
#pragma once

#include <cstddef>
#include <cstring>

#include "pixel/PixelTraits.h"

class ScaledStamps {
public:
  // The table of `stamp`: kept while the stamp is the same, bit for bit.
  template <class Pixel>
  const Pixel* of(const Pixel& stamp) {
    static_assert(sizeof(Pixel) <= kMostPixelBytes);
    if (stampBytes_ != sizeof(Pixel) || std::memcmp(stamp_, &stamp, sizeof(Pixel)) != 0) {
      Pixel* table = reinterpret_cast<Pixel*>(table_);
      for (int coverage = 0; coverage < 256; ++coverage) {
        table[coverage] = stamp;
        table[coverage].alpha = PixelTraits<Pixel>::scaleByCoverage(stamp.alpha, coverage);
      }
      std::memcpy(stamp_, &stamp, sizeof(Pixel));
      stampBytes_ = sizeof(Pixel);
    }
    return reinterpret_cast<const Pixel*>(table_);
  }

private:
  static constexpr std::size_t kMostPixelBytes = 16;
  alignas(16) unsigned char table_[256 * kMostPixelBytes] = {};
  unsigned char stamp_[kMostPixelBytes] = {};
  std::size_t stampBytes_ = 0;
};
