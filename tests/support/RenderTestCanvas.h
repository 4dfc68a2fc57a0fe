// Shared by the render tests: pixels made from fractions of full, typed-test names, and a canvas
// whose pixels sit inside a guard frame in the same allocation, so a write outside the canvas
// shows up as a changed guard pixel (and, past the frame, under AddressSanitizer).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "AE_Effect.h"
#include "pixel/PixelTraits.h"
#include "raster/StrokeCanvas.h"

using RenderPixelTypes = ::testing::Types<PF_Pixel8, PF_Pixel16, PF_PixelFloat>;

struct RenderPixelTypeNames {
  template <class Pixel>
  static std::string GetName(int) {
    if constexpr (std::is_same_v<Pixel, PF_Pixel8>) return "Pixel8";
    if constexpr (std::is_same_v<Pixel, PF_Pixel16>) return "Pixel16";
    if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) return "PixelFloat";
    return "Unknown";
  }
};

inline void PrintTo(const PF_Pixel8& p, std::ostream* os) {
  *os << "(a " << int{p.alpha} << ", r " << int{p.red} << ", g " << int{p.green} << ", b " << int{p.blue} << ")";
}
inline void PrintTo(const PF_Pixel16& p, std::ostream* os) {
  *os << "(a " << p.alpha << ", r " << p.red << ", g " << p.green << ", b " << p.blue << ")";
}
inline void PrintTo(const PF_PixelFloat& p, std::ostream* os) {
  *os << "(a " << p.alpha << ", r " << p.red << ", g " << p.green << ", b " << p.blue << ")";
}

template <class Pixel>
bool samePixel(const Pixel& a, const Pixel& b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// A channel value that is the given fraction of full (rounded for the integer depths).
template <class Pixel>
typename PixelTraits<Pixel>::Channel channelOf(double fraction) {
  using Channel = typename PixelTraits<Pixel>::Channel;
  if constexpr (std::is_floating_point_v<Channel>) {
    return static_cast<Channel>(fraction);
  } else {
    return static_cast<Channel>(std::floor(fraction * PixelTraits<Pixel>::full + 0.5));
  }
}

template <class Pixel>
Pixel pixelOf(double alpha, double red, double green, double blue) {
  return Pixel{channelOf<Pixel>(alpha), channelOf<Pixel>(red), channelOf<Pixel>(green), channelOf<Pixel>(blue)};
}

template <class Pixel>
class TestCanvas {
public:
  static constexpr int kGuard = 4;

  TestCanvas(int width, int height)
      : width_(width), height_(height), stride_(width + 2 * kGuard),
        storage_(static_cast<std::size_t>((height + 2 * kGuard) * stride_), guardPixel()) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) at(x, y) = Pixel{};
    }
    world_.data = reinterpret_cast<PF_PixelPtr>(&storage_[index(0, 0)]);
    world_.rowbytes = static_cast<A_long>(static_cast<std::size_t>(stride_) * sizeof(Pixel));
    world_.width = width;
    world_.height = height;
    canvas.attachWorld(&world_, sizeof(Pixel), true);
  }
  TestCanvas(const TestCanvas&) = delete;
  TestCanvas& operator=(const TestCanvas&) = delete;

  // Alpha 1 (the smallest visible) and odd colours: any stamp blended here would change it.
  static Pixel guardPixel() {
    using Traits = PixelTraits<Pixel>;
    if constexpr (std::is_floating_point_v<typename Traits::Channel>) {
      return Pixel{1.0f / 4096.0f, 0.125f, 0.375f, 0.625f};
    } else {
      return Pixel{1, 7, 11, 13};
    }
  }

  int width() const { return width_; }
  int height() const { return height_; }
  Pixel& at(int x, int y) { return storage_[index(x, y)]; }
  const Pixel& at(int x, int y) const { return storage_[index(x, y)]; }

  bool guardIntact() const {
    for (int y = -kGuard; y < height_ + kGuard; ++y) {
      for (int x = -kGuard; x < width_ + kGuard; ++x) {
        const bool inside = x >= 0 && x < width_ && y >= 0 && y < height_;
        if (!inside && !samePixel(at(x, y), guardPixel())) return false;
      }
    }
    return true;
  }

  bool allTransparentBlack() const {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (!samePixel(at(x, y), Pixel{})) return false;
      }
    }
    return true;
  }

  void fill(const Pixel& p) {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) at(x, y) = p;
    }
    canvas.markCleared();
  }

  StrokeCanvas canvas;

private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>((y + kGuard) * stride_ + (x + kGuard));
  }

  int width_;
  int height_;
  int stride_;
  std::vector<Pixel> storage_;
  PF_EffectWorld world_{};
};
