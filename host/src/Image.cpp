#include "aehost/Image.h"

#include <string>

#include "aehost/Channels.h"

namespace aehost {

Image::Image(A_long width, A_long height, PF_PixelFormat format) : width_(width), height_(height), format_(format) {
  if (width < 0 || height < 0) throw std::invalid_argument("aehost: negative image size");
  if (!isWorldFormat(format)) throw std::invalid_argument("aehost: not a world pixel format: " + formatName(format));
  bytes_ = ImageBytes(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * bytesPerPixel(format), nullptr);
  if (!bytes_.empty()) std::memset(bytes_.data(), 0, bytes_.size());
}

Image Image::fromRows(A_long width, A_long height, PF_PixelFormat format, const void* firstRow, std::size_t stride,
                      std::shared_ptr<ImageMemoryPool> pool) {
  Image image;
  if (width < 0 || height < 0) throw std::invalid_argument("aehost: negative image size");
  if (!isWorldFormat(format)) throw std::invalid_argument("aehost: not a world pixel format: " + formatName(format));
  image.width_ = width;
  image.height_ = height;
  image.format_ = format;
  const std::size_t rowBytes = image.rowBytes();
  image.bytes_ = ImageBytes(rowBytes * static_cast<std::size_t>(height), std::move(pool));
  const auto* from = static_cast<const std::byte*>(firstRow);
  for (A_long y = 0; y < height; ++y) {
    std::memcpy(image.bytes_.data() + static_cast<std::size_t>(y) * rowBytes, from + static_cast<std::size_t>(y) * stride,
                rowBytes);
  }
  return image;
}

Image Image::holding(A_long width, A_long height, PF_PixelFormat format, ImageBytes bytes) {
  if (width < 0 || height < 0) throw std::invalid_argument("aehost: negative image size");
  if (!isWorldFormat(format)) throw std::invalid_argument("aehost: not a world pixel format: " + formatName(format));
  Image image;
  image.width_ = width;
  image.height_ = height;
  image.format_ = format;
  if (bytes.size() != image.rowBytes() * static_cast<std::size_t>(height)) {
    throw std::invalid_argument("aehost: image bytes of the wrong size");
  }
  image.bytes_ = std::move(bytes);
  return image;
}

template <typename Pixel>
Image Image::filled(A_long width, A_long height, const Pixel& color) {
  Image image(width, height, formatOf<Pixel>());
  image.fill(color);
  return image;
}

template Image Image::filled<PF_Pixel8>(A_long, A_long, const PF_Pixel8&);
template Image Image::filled<PF_Pixel16>(A_long, A_long, const PF_Pixel16&);
template Image Image::filled<PF_PixelFloat>(A_long, A_long, const PF_PixelFloat&);

std::size_t Image::offset(A_long x, A_long y, std::size_t pixelBytes) const {
  if (pixelBytes != bytesPerPixel(format_)) {
    throw std::invalid_argument("aehost: pixel type does not match the image format " + formatName(format_));
  }
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("aehost: pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside a " +
                            std::to_string(width_) + " x " + std::to_string(height_) + " image");
  }
  return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * pixelBytes;
}

template <typename Pixel>
void Image::fill(const Pixel& color) {
  withPixelType(format_, [&](auto target) {
    using Target = decltype(target);
    const Target value = convertPixel<Target, Pixel>(color);
    for (std::size_t at = 0; at < bytes_.size(); at += sizeof value) std::memcpy(bytes_.data() + at, &value, sizeof value);
  });
}

template void Image::fill<PF_Pixel8>(const PF_Pixel8&);
template void Image::fill<PF_Pixel16>(const PF_Pixel16&);
template void Image::fill<PF_PixelFloat>(const PF_PixelFloat&);

Image Image::converted(PF_PixelFormat format) const {
  if (format == format_) return *this;
  Image result(width_, height_, format);
  withPixelType(format_, [&](auto source) {
    using Source = decltype(source);
    withPixelType(format, [&](auto target) {
      using Target = decltype(target);
      for (A_long y = 0; y < height_; ++y) {
        for (A_long x = 0; x < width_; ++x) result.set(x, y, convertPixel<Target, Source>(get<Source>(x, y)));
      }
    });
  });
  return result;
}

A_long downsampledSize(A_long size, PF_RationalScale factor) {
  if (factor.num <= 0 || factor.den == 0) throw std::invalid_argument("aehost: a downsample factor must be positive");
  if (size <= 0) return 0;
  const auto scaled = (static_cast<std::uint64_t>(size) * static_cast<std::uint64_t>(factor.num) + factor.den - 1) / factor.den;
  return static_cast<A_long>(scaled < 1 ? 1 : scaled);
}

Image Image::downsampled(PF_RationalScale fx, PF_RationalScale fy) const {
  const A_long w = downsampledSize(width_, fx);
  const A_long h = downsampledSize(height_, fy);
  if (w == width_ && h == height_ && fx.num == static_cast<A_long>(fx.den) && fy.num == static_cast<A_long>(fy.den)) {
    return *this;
  }
  Image result(w, h, format_);
  const std::size_t pixelBytes = bytesPerPixel(format_);
  for (A_long y = 0; y < h; ++y) {
    const auto sy = static_cast<A_long>(static_cast<std::uint64_t>(y) * fy.den / static_cast<std::uint64_t>(fy.num));
    for (A_long x = 0; x < w; ++x) {
      const auto sx = static_cast<A_long>(static_cast<std::uint64_t>(x) * fx.den / static_cast<std::uint64_t>(fx.num));
      std::memcpy(result.bytes_.data() + result.offset(x, y, pixelBytes), bytes_.data() + offset(sx, sy, pixelBytes),
                  pixelBytes);
    }
  }
  return result;
}

}  // namespace aehost
