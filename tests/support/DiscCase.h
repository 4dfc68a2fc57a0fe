// One disc of a seeded random test, and the line that reproduces it when a check fails.
#pragma once

#include <cstdio>
#include <string>

struct DiscCase {
  unsigned seed;
  int width;  // canvas [px]
  int height;
  double x;  // centre [px]
  double y;
  double r;  // radius [px]
};

inline std::string describe(const DiscCase& c) {
  char text[220];
  std::snprintf(text, sizeof text, "reproduce with seed %u: canvas %dx%d, centre (%.17g, %.17g), radius %.17g",
                c.seed, c.width, c.height, c.x, c.y, c.r);
  return text;
}
