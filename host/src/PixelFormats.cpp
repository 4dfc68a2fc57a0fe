#include "aehost/PixelFormats.h"

#include <stdexcept>

namespace aehost {

bool isWorldFormat(PF_PixelFormat format) { return bytesPerPixel(format) != 0; }

std::size_t bytesPerPixel(PF_PixelFormat format) {
  switch (format) {
    case PF_PixelFormat_ARGB32: return sizeof(PF_Pixel8);
    case PF_PixelFormat_ARGB64: return sizeof(PF_Pixel16);
    case PF_PixelFormat_ARGB128: return sizeof(PF_PixelFloat);
    default: return 0;
  }
}

int bitDepthOf(PF_PixelFormat format) {
  switch (format) {
    case PF_PixelFormat_ARGB32: return 8;
    case PF_PixelFormat_ARGB64: return 16;
    case PF_PixelFormat_ARGB128: return 32;
    default: return 0;
  }
}

PF_PixelFormat formatForBitDepth(int bitsPerChannel) {
  switch (bitsPerChannel) {
    case 8: return PF_PixelFormat_ARGB32;
    case 16: return PF_PixelFormat_ARGB64;
    case 32: return PF_PixelFormat_ARGB128;
    default: throw std::invalid_argument("aehost: no world format has " + std::to_string(bitsPerChannel) + " bits per channel");
  }
}

std::string formatName(PF_PixelFormat format) {
  std::string name;
  const auto code = static_cast<A_u_long>(format);
  for (int shift = 0; shift < 32; shift += 8) {
    const char c = static_cast<char>((code >> shift) & 0xFF);
    name.push_back(c >= 0x20 && c < 0x7F ? c : '?');
  }
  return name;
}

}  // namespace aehost
