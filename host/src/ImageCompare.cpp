#include "aehost/ImageCompare.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace aehost {
namespace {

template <typename Pixel>
double channelGap(const Pixel& a, const Pixel& b) {
  const auto gap = [](double x, double y) { return std::fabs(x - y); };
  return std::max({gap(a.alpha, b.alpha), gap(a.red, b.red), gap(a.green, b.green), gap(a.blue, b.blue)});
}

}  // namespace

ImageDifference compareImages(const Image& a, const Image& b, double tolerance) {
  if (a.width() != b.width() || a.height() != b.height() || a.format() != b.format()) {
    throw std::invalid_argument("aehost: comparing images of different size or format");
  }
  ImageDifference difference;
  withPixelType(a.format(), [&](auto type) {
    using Pixel = decltype(type);
    for (A_long y = 0; y < a.height(); ++y) {
      for (A_long x = 0; x < a.width(); ++x) {
        const double gap = channelGap(a.get<Pixel>(x, y), b.get<Pixel>(x, y));
        difference.maxChannelDifference = std::max(difference.maxChannelDifference, gap);
        if (gap > tolerance || std::isnan(gap)) {
          if (difference.differingPixels++ == 0) {
            difference.firstX = x;
            difference.firstY = y;
          }
        }
      }
    }
  });
  return difference;
}

double maxChannelDifference(const Image& a, const Image& b) { return compareImages(a, b).maxChannelDifference; }

std::size_t countDifferingPixels(const Image& a, const Image& b, double tolerance) {
  return compareImages(a, b, tolerance).differingPixels;
}

std::string describePixel(const Image& image, A_long x, A_long y) {
  std::ostringstream text;
  text << "(" << x << ", " << y << ") argb";
  withPixelType(image.format(), [&](auto type) {
    using Pixel = decltype(type);
    const Pixel p = image.get<Pixel>(x, y);
    text << " " << +p.alpha << " " << +p.red << " " << +p.green << " " << +p.blue;
  });
  return text.str();
}

}  // namespace aehost
