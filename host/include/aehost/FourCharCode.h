#pragma once

#include <cstdint>
#include <string>

namespace aehost {

// The value a compiler gives the multi-character constant 'abcd': first character in the
// highest byte. Written as a function so host code builds without -Wno-multichar.
constexpr std::uint32_t fourCharCode(const char (&chars)[5]) {
  return (std::uint32_t{static_cast<unsigned char>(chars[0])} << 24) |
         (std::uint32_t{static_cast<unsigned char>(chars[1])} << 16) |
         (std::uint32_t{static_cast<unsigned char>(chars[2])} << 8) |
         std::uint32_t{static_cast<unsigned char>(chars[3])};
}

// "abcd" back from the value, for messages; unprintable bytes become '?'.
std::string fourCharString(std::uint32_t code);

}  // namespace aehost
