#pragma once

#include <cstddef>
#include <string>

#include "aehost/Image.h"

namespace aehost {

// How far two images of the same size and format are apart. Differences are in the format's
// channel units (0..255, 0..32768, or the float values themselves).
struct ImageDifference {
  double maxChannelDifference = 0;
  std::size_t differingPixels = 0;  // pixels with any channel apart by more than the tolerance
  A_long firstX = -1;               // the first such pixel in row order, -1 when none
  A_long firstY = -1;
};

// Throws std::invalid_argument when size or format differ.
ImageDifference compareImages(const Image& a, const Image& b, double tolerance = 0);
double maxChannelDifference(const Image& a, const Image& b);
std::size_t countDifferingPixels(const Image& a, const Image& b, double tolerance = 0);

// "(x, y) argb 255 0 0 255" style text of one pixel, for test messages.
std::string describePixel(const Image& image, A_long x, A_long y);

}  // namespace aehost
