#pragma once

#include <cstddef>
#include <cstring>
#include <span>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "AE_Effect.h"
#include "aehost/ImageMemory.h"
#include "aehost/PixelFormats.h"

namespace aehost {

// Pixels the test or the command-line renderer owns: a layer's source image, a render's
// output. Straight ARGB in one of the world formats, rows without padding. Unlike a world it
// belongs to no host and an effect never sees it; the host copies it into worlds and back.
class Image {
 public:
  Image() = default;  // 0 x 0, 8-bit
  Image(A_long width, A_long height, PF_PixelFormat format);  // transparent black
  template <typename Pixel>
  static Image filled(A_long width, A_long height, const Pixel& color);
  // An image holding `height` rows of `width` pixels read from `firstRow` on, `stride` bytes
  // apart (a world's pixels). Not cleared first: every byte is copied. Its memory, and its
  // copies', comes from `pool` when one is given.
  static Image fromRows(A_long width, A_long height, PF_PixelFormat format, const void* firstRow, std::size_t stride,
                        std::shared_ptr<ImageMemoryPool> pool = nullptr);
  // An image whose pixels are `bytes` (exactly width * height pixels, rows without padding).
  static Image holding(A_long width, A_long height, PF_PixelFormat format, ImageBytes bytes);

  A_long width() const { return width_; }
  A_long height() const { return height_; }
  PF_PixelFormat format() const { return format_; }
  int bitDepth() const { return bitDepthOf(format_); }
  bool empty() const { return width_ == 0 || height_ == 0; }
  std::size_t rowBytes() const { return static_cast<std::size_t>(width_) * bytesPerPixel(format_); }
  std::span<const std::byte> bytes() const { return {bytes_.data(), bytes_.size()}; }
  std::span<std::byte> bytes() { return {bytes_.data(), bytes_.size()}; }

  // Pixel access in the image's own type; a type that does not match the format throws
  // std::invalid_argument, a position outside the image std::out_of_range.
  template <typename Pixel>
  Pixel get(A_long x, A_long y) const;
  template <typename Pixel>
  void set(A_long x, A_long y, const Pixel& pixel);
  PF_Pixel8 pixel8(A_long x, A_long y) const { return get<PF_Pixel8>(x, y); }
  PF_Pixel16 pixel16(A_long x, A_long y) const { return get<PF_Pixel16>(x, y); }
  PF_PixelFloat pixelFloat(A_long x, A_long y) const { return get<PF_PixelFloat>(x, y); }

  // Every pixel set to the colour, converted to this image's depth (see Channels.h).
  template <typename Pixel>
  void fill(const Pixel& color);
  // Each channel converted as Channels.h states.
  Image converted(PF_PixelFormat format) const;
  // The layer at a downsampled resolution, nearest neighbour: the size is width * num / den
  // rounded up (and at least 1 when the image is not empty), and output pixel (x, y) is source
  // pixel (floor(x * den / num), floor(y * den / num)), the one under its top-left corner. So
  // 1/2 keeps every second pixel of every second row, starting with (0, 0). No averaging: the
  // values stay exactly those of the layer.
  Image downsampled(PF_RationalScale x, PF_RationalScale y) const;

  bool operator==(const Image&) const = default;

 private:
  std::size_t offset(A_long x, A_long y, std::size_t pixelBytes) const;

  A_long width_ = 0;
  A_long height_ = 0;
  PF_PixelFormat format_ = PF_PixelFormat_ARGB32;
  ImageBytes bytes_;
};

// The size of one axis at a downsample factor: ceil(size * num / den), at least 1 for a
// non-empty size. Shared by the layer, the input world and the output request.
A_long downsampledSize(A_long size, PF_RationalScale factor);

template <typename Pixel>
Pixel Image::get(A_long x, A_long y) const {
  Pixel pixel;
  std::memcpy(&pixel, bytes_.data() + offset(x, y, sizeof(Pixel)), sizeof pixel);
  return pixel;
}

template <typename Pixel>
void Image::set(A_long x, A_long y, const Pixel& pixel) {
  std::memcpy(bytes_.data() + offset(x, y, sizeof(Pixel)), &pixel, sizeof pixel);
}

}  // namespace aehost
