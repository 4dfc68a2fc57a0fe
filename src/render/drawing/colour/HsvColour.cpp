#include "colour/HsvColour.h"

#include <algorithm>
#include <cmath>

HsvColour hsvFromRgb(const RgbColour& rgb) {
  const double r = rgb.red;
  const double g = rgb.green;
  const double b = rgb.blue;
  const double v = std::max(std::max(r, g), b);
  const double m = std::min(std::min(r, g), b);
  const double delta = v - m;
  HsvColour hsv;
  hsv.value = v;
  hsv.saturation = v == 0.0 ? 0.0 : delta / v;
  if (hsv.saturation == 0.0) return hsv;  // grey: hue 0

  // h in sixths of a turn: the sector of the largest component plus the offset within it.
  double h;
  if (v == r) {
    h = (g - b) / delta;
  } else if (v == g) {
    h = (b - r) / delta + 2.0;
  } else {
    h = (r - g) / delta + 4.0;
  }
  // 0.166666666666667 as written, a hair above 1/6: part of the bit-exact result.
  double hue = h * 0.166666666666667;
  if (hue < 0.0) hue += 1.0;
  hsv.hue = hue;
  return hsv;
}

// H ≥ 0: H − trunc(H); H < 0: H + |trunc(H)| + 1.
double wrapHue(double hue) {
  const double whole = std::trunc(hue);
  return hue >= 0.0 ? hue - whole : hue + std::fabs(whole) + 1.0;
}

RgbColour rgbFromHsv(const HsvColour& hsv) {
  const double s = hsv.saturation;
  const double v = hsv.value;
  const double sectorSource = (hsv.hue - std::trunc(hsv.hue)) * 6.0;
  if (!(sectorSource >= 0.0 && sectorSource < 6.0)) return RgbColour{};  // NaN or out of range: black
  const int sector = static_cast<int>(sectorSource);
  const double f = sectorSource - sector;
  // p = (1 − S)·V, q = (1 − f·S)·V, t = (1 − (1 − f)·S)·V
  const double p = (1.0 - s) * v;
  const double q = (1.0 - f * s) * v;
  const double t = (1.0 - (1.0 - f) * s) * v;
  switch (sector) {
    case 0: return RgbColour{v, t, p};
    case 1: return RgbColour{q, v, p};
    case 2: return RgbColour{p, v, t};
    case 3: return RgbColour{p, q, v};
    case 4: return RgbColour{t, p, v};
    case 5: return RgbColour{v, p, q};
    default: return RgbColour{};
  }
}
