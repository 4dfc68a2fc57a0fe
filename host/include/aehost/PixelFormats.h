#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"

namespace aehost {

// The three formats the host's worlds come in, all straight (not premultiplied) ARGB:
// PF_PixelFormat_ARGB32 ('argb', PF_Pixel8), PF_PixelFormat_ARGB64 ('ae16', PF_Pixel16, full
// value 32768, world_flags PF_WorldFlag_DEEP) and PF_PixelFormat_ARGB128 ('ae32', PF_PixelFloat).
bool isWorldFormat(PF_PixelFormat format);
std::size_t bytesPerPixel(PF_PixelFormat format);  // 0 for other formats
int bitDepthOf(PF_PixelFormat format);             // 8, 16, 32; 0 for other formats
// 8, 16 or 32 bits per channel; throws std::invalid_argument for anything else.
PF_PixelFormat formatForBitDepth(int bitsPerChannel);
// "argb", "ae16", "ae32" (the code's bytes in memory).
std::string formatName(PF_PixelFormat format);

// The pixel type of each format, for templates that work in every depth.
template <typename Pixel>
constexpr PF_PixelFormat formatOf();
template <>
constexpr PF_PixelFormat formatOf<PF_Pixel8>() { return PF_PixelFormat_ARGB32; }
template <>
constexpr PF_PixelFormat formatOf<PF_Pixel16>() { return PF_PixelFormat_ARGB64; }
template <>
constexpr PF_PixelFormat formatOf<PF_PixelFloat>() { return PF_PixelFormat_ARGB128; }

// Calls f(PF_Pixel8{}) / f(PF_Pixel16{}) / f(PF_PixelFloat{}) for the format, so a template
// lambda gets the pixel type; throws std::invalid_argument for other formats.
template <typename F>
decltype(auto) withPixelType(PF_PixelFormat format, F&& f) {
  switch (format) {
    case PF_PixelFormat_ARGB32: return f(PF_Pixel8{});
    case PF_PixelFormat_ARGB64: return f(PF_Pixel16{});
    case PF_PixelFormat_ARGB128: return f(PF_PixelFloat{});
    default: break;
  }
  throw std::invalid_argument("aehost: not a world pixel format: " + formatName(format));
}

}  // namespace aehost
