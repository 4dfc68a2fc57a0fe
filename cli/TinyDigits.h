// A 3 x 5 pixel digit font, enough to number the frames of a contact sheet without a font
// library.
#pragma once

#include <array>
#include <cstdint>

namespace inkline_cli {

inline constexpr int kDigitWidth = 3;
inline constexpr int kDigitHeight = 5;

// Row r of digit d: bit 2 is the left pixel.
inline bool digitPixel(int digit, int x, int y) {
  static constexpr std::array<std::array<std::uint8_t, kDigitHeight>, 10> kGlyphs{{
      {7, 5, 5, 5, 7},
      {2, 6, 2, 2, 7},
      {7, 1, 7, 4, 7},
      {7, 1, 7, 1, 7},
      {5, 5, 7, 1, 1},
      {7, 4, 7, 1, 7},
      {7, 4, 7, 5, 7},
      {7, 1, 2, 2, 2},
      {7, 5, 7, 5, 7},
      {7, 5, 7, 1, 7},
  }};
  return ((kGlyphs[static_cast<std::size_t>(digit)][static_cast<std::size_t>(y)] >> (kDigitWidth - 1 - x)) & 1) != 0;
}

}  // namespace inkline_cli
