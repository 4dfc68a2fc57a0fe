// The PiPL as the bytes of a Windows 'PiPL' resource, built at compile time from PiPL.h.
// Layout (little-endian): u16 1, i32 0, i32 property count, then per property:
// vendor '8BIM', key, i32 id 0, i32 length (multiple of 4), zero-padded data.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "resources/PiPL.h"

namespace inkline::resources {

class PiPLWriter {
public:
  static constexpr std::size_t kCapacity = 512;

  constexpr void u16(std::uint16_t v) {
    put(static_cast<std::uint8_t>(v));
    put(static_cast<std::uint8_t>(v >> 8));
  }
  constexpr void u32(std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) put(static_cast<std::uint8_t>(v >> shift));
  }
  // A four-character code is stored as the little-endian word of its multi-character constant.
  constexpr void code(std::string_view c) {
    u32(std::uint32_t(std::uint8_t(c[0])) << 24 | std::uint32_t(std::uint8_t(c[1])) << 16 |
        std::uint32_t(std::uint8_t(c[2])) << 8 | std::uint32_t(std::uint8_t(c[3])));
  }

  constexpr void codeProperty(std::string_view key, std::string_view value) {
    header(key, 4);
    code(value);
  }
  constexpr void wordProperty(std::string_view key, std::uint32_t value) {
    header(key, 4);
    u32(value);
  }
  constexpr void pascalProperty(std::string_view key, std::string_view text) {
    const std::size_t length = padded(1 + text.size());
    header(key, length);
    put(static_cast<std::uint8_t>(text.size()));
    for (char c : text) put(static_cast<std::uint8_t>(c));
    pad(length - 1 - text.size());
  }
  constexpr void cStringProperty(std::string_view key, std::string_view text) {
    const std::size_t length = padded(text.size() + 1);
    header(key, length);
    for (char c : text) put(static_cast<std::uint8_t>(c));
    pad(length - text.size());
  }

  std::array<std::uint8_t, kCapacity> bytes{};
  std::size_t size = 0;

private:
  static constexpr std::size_t padded(std::size_t n) { return (n + 3) / 4 * 4; }
  constexpr void put(std::uint8_t b) { bytes[size++] = b; }  // out of range fails constant evaluation
  constexpr void pad(std::size_t n) {
    while (n-- > 0) put(0);
  }
  constexpr void header(std::string_view key, std::size_t length) {
    code("8BIM");
    code(key);
    u32(0);
    u32(static_cast<std::uint32_t>(length));
  }
};

constexpr std::uint32_t kPiPLPropertyCount = 12;

constexpr PiPLWriter buildPiPL() {
  PiPLWriter w;
  w.u16(1);
  w.u32(0);
  w.u32(kPiPLPropertyCount);
  w.codeProperty("kind", INKLINE_PIPL_KIND);
  w.pascalProperty("name", INKLINE_PIPL_NAME);
  w.pascalProperty("catg", INKLINE_PIPL_CATEGORY);
  w.cStringProperty("8664", INKLINE_PIPL_ENTRY_POINT);
  w.wordProperty("ePVR", INKLINE_PIPL_VERSION);
  w.wordProperty("eSVR", INKLINE_PIPL_SPEC_VERSION);
  w.wordProperty("eVER", INKLINE_PIPL_EFFECT_VERSION);
  w.wordProperty("eINF", INKLINE_PIPL_INFO_FLAGS);
  w.wordProperty("eGLO", INKLINE_PIPL_OUT_FLAGS);
  w.wordProperty("eGL2", INKLINE_PIPL_OUT_FLAGS2);
  w.pascalProperty("eMNA", INKLINE_PIPL_MATCH_NAME);
  w.wordProperty("aeRD", INKLINE_PIPL_RESERVED_INFO);
  return w;
}

inline constexpr PiPLWriter kPiPLImage = buildPiPL();

}  // namespace inkline::resources
