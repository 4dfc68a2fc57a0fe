#include "aehost/FourCharCode.h"

namespace aehost {

std::string fourCharString(std::uint32_t code) {
  std::string text(4, '?');
  for (int i = 0; i < 4; ++i) {
    const auto byte = static_cast<unsigned char>(code >> (24 - 8 * i));
    if (byte >= 0x20 && byte < 0x7f) text[static_cast<std::size_t>(i)] = static_cast<char>(byte);
  }
  return text;
}

}  // namespace aehost
