#include "ColorText.h"

#include <cctype>
#include <cstdio>

namespace inkline_cli {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
  return -1;
}

PF_Pixel8 fromHex(const std::string& text, const std::string& place, bool allowAlpha) {
  const std::string expected = allowAlpha ? "\"#rrggbb\" or \"#rrggbbaa\"" : "\"#rrggbb\"";
  const bool sized = text.size() == 7 || (allowAlpha && text.size() == 9);
  if (!sized || text[0] != '#') failAt(place, "expected a colour " + expected + ", found \"" + text + "\"");
  A_u_char channels[4] = {0, 0, 0, 255};
  for (std::size_t i = 1; i < text.size(); i += 2) {
    const int high = hexDigit(text[i]);
    const int low = hexDigit(text[i + 1]);
    if (high < 0 || low < 0) failAt(place, "\"" + text + "\" is not a hexadecimal colour " + expected);
    channels[(i - 1) / 2] = static_cast<A_u_char>(high * 16 + low);
  }
  return PF_Pixel8{channels[3], channels[0], channels[1], channels[2]};
}

PF_Pixel8 fromArray(const Json& value, const std::string& place, bool allowAlpha) {
  if (value.size() != 3 && !(allowAlpha && value.size() == 4)) {
    failAt(place, std::string("expected [r, g, b]") + (allowAlpha ? " or [r, g, b, a]" : "") + " with values 0 to 255");
  }
  A_u_char channels[4] = {0, 0, 0, 255};
  for (std::size_t i = 0; i < value.size(); ++i) {
    channels[i] = static_cast<A_u_char>(readInteger(value[i], indexPlace(place, i), 0, 255));
  }
  return PF_Pixel8{channels[3], channels[0], channels[1], channels[2]};
}

}  // namespace

PF_Pixel8 readColor(const Json& value, const std::string& place, bool allowAlpha) {
  if (value.is_string()) return fromHex(value.get<std::string>(), place, allowAlpha);
  if (value.is_array()) return fromArray(value, place, allowAlpha);
  failAt(place, "expected a colour \"#rrggbb\" or [r, g, b], found " + describeJsonType(value));
}

std::string colorToHex(const PF_Pixel8& color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", color.red, color.green, color.blue);
  return text;
}

}  // namespace inkline_cli
