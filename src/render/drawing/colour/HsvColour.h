// The colour model in which stroke colours are varied: red, green, blue and hue, saturation,
// value, all as doubles in 0 … 1 (hue in turns).
#pragma once

struct RgbColour {
  double red = 0.0;
  double green = 0.0;
  double blue = 0.0;
};

struct HsvColour {
  double hue = 0.0;  // turns, 0 … 1
  double saturation = 0.0;
  double value = 0.0;
};

HsvColour hsvFromRgb(const RgbColour& rgb);

// Sectors outside 0 … 5 (only from NaN or out-of-range input) give black.
RgbColour rgbFromHsv(const HsvColour& hsv);

// Brings a shifted hue back into 0 … 1 (−0.25 → 0.75, 1.3 → 0.3).
double wrapHue(double hue);
