// The work world held as a palette while only discs that hold the whole canvas are drawn.
// Such a disc blends every pixel with the same unscaled stamp, and the blend of a pixel
// depends on nothing but its bits and the stamp's, so pixels alike stay alike: blending each
// distinct value once, every pixel keeping the index of its value, gives the bits of blending
// every pixel. A thick stroke on a small layer whose stamp never settles (each disc of another
// alpha or colour) then costs a blend per distinct value a disc instead of one per pixel.
//
// An untouched canvas is one value and needs no index. A drawn one is indexed once a run of
// such discs goes on, and not held where its distinct values are too many to pay; the pixels
// are written back before anything else draws or reads the world.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "pixel/BlendStampPixel.h"

class CanvasPalette {
public:
  bool held() const { return held_; }

  // Holds a canvas whose every pixel is `value`.
  template <class Pixel>
  void holdUniform(const Pixel& value) {
    values_.assign(sizeof(Pixel), 0);
    std::memcpy(values_.data(), &value, sizeof(Pixel));
    indices_.clear();
    held_ = true;
  }

  // Holds the canvas's pixels as distinct values and an index per pixel; false, holding
  // nothing, when it has more than `mostValues` of them.
  template <class Pixel>
  bool holdDistinct(const char* base, std::ptrdiff_t rowbytes, int width, int height, std::size_t mostValues) {
    std::unordered_map<Key, std::uint16_t, KeyHash> seen;
    seen.reserve(std::min(mostValues, kMostValues) + 1);
    values_.clear();
    indices_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::uint16_t* index = indices_.data();
    for (int py = 0; py < height; ++py) {
      const Pixel* row = reinterpret_cast<const Pixel*>(base + static_cast<std::ptrdiff_t>(py) * rowbytes);
      for (int px = 0; px < width; ++px) {
        Key key{};
        std::memcpy(key.bytes, &row[px], sizeof(Pixel));
        const auto [at, added] = seen.try_emplace(key, static_cast<std::uint16_t>(seen.size()));
        if (added) {
          if (seen.size() > mostValues || seen.size() > kMostValues) return false;
          values_.insert(values_.end(), key.bytes, key.bytes + sizeof(Pixel));
        }
        *index++ = at->second;
      }
    }
    held_ = true;
    return true;
  }

  // Every held value blended with the stamp.
  template <class Pixel>
  void blendEvery(const Pixel& stamp) {
    for (std::size_t at = 0; at < values_.size(); at += sizeof(Pixel)) {
      Pixel value;
      std::memcpy(&value, values_.data() + at, sizeof(Pixel));
      BlendStampPixel(value, stamp);
      std::memcpy(values_.data() + at, &value, sizeof(Pixel));
    }
  }

  // Writes every pixel's value into the world and holds nothing any more.
  template <class Pixel>
  void writeBack(char* base, std::ptrdiff_t rowbytes, int width, int height) {
    held_ = false;
    const Pixel* values = reinterpret_cast<const Pixel*>(values_.data());
    const std::uint16_t* index = indices_.empty() ? nullptr : indices_.data();
    for (int py = 0; py < height; ++py) {
      Pixel* row = reinterpret_cast<Pixel*>(base + static_cast<std::ptrdiff_t>(py) * rowbytes);
      for (int px = 0; px < width; ++px) row[px] = values[index ? *index++ : 0];
    }
  }

  // The world was cleared or attached: what was held is gone.
  void drop() {
    held_ = false;
    endRun();
  }

  // Runs of discs holding the canvas, drawn pixel by pixel: a canvas is indexed only when a run
  // has gone on for a while, and after each index that did not pay, the next try waits twice
  // as long, so that indexing never costs more than a few of the discs it could save.
  bool runAsksForIndex() { return ++runLength_ >= nextIndexAt_; }
  void indexDidNotPay() { nextIndexAt_ = runLength_ * 2; }
  void endRun() {
    runLength_ = 0;
    nextIndexAt_ = 2;
  }

private:
  // An index fits in 16 bits.
  static constexpr std::size_t kMostValues = 65535;

  struct Key {
    unsigned char bytes[16];
    bool operator==(const Key& other) const { return std::memcmp(bytes, other.bytes, sizeof(bytes)) == 0; }
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      std::uint64_t low, high;
      std::memcpy(&low, key.bytes, 8);
      std::memcpy(&high, key.bytes + 8, 8);
      return static_cast<std::size_t>((low ^ (high * 0x9E3779B97F4A7C15ULL)) * 0xBF58476D1CE4E5B9ULL >> 17);
    }
  };

  bool held_ = false;
  std::vector<unsigned char> values_;   // the distinct values, sizeof(Pixel) bytes each
  std::vector<std::uint16_t> indices_;  // per pixel, row after row; none: every pixel value 0
  std::int64_t runLength_ = 0;
  std::int64_t nextIndexAt_ = 2;
};
