// A stroke's random colour shift: drawn once per stroke, the same at every pixel depth.
#pragma once

struct ColourShift {
  double hue = 0.0;         // turns
  double saturation = 0.0;  // added, then folded back into 0 … 1
  double value = 0.0;       // likewise
};
