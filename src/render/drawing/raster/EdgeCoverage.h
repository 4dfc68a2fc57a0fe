// Anti-aliasing of disc edges: how much of a pixel a disc covers, from the pixel's distance
// outside the circle, read from one fixed table.
#pragma once

#include <array>
#include <cstdint>

#include "raster/DiscRadius.h"

// Row: whole radius 0 … 11 (row 0 is empty, so discs under 1 px fade with their radius).
// Column k: edge distance f = k/16 − 1 px, from −1 to +0.9375. Coverage 0 … 255.
inline constexpr std::array<std::array<std::uint8_t, 32>, 12> DiscEdgeCoverageTable = {{
    {0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,
     0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0},
    {255, 254, 252, 248, 243, 237, 230, 221, 211, 200, 189, 176, 163, 150, 135, 121,
     107, 93,  80,  67,  56,  46,  36,  28,  21,  15,  11,  7,   4,   2,   1,   0},
    {255, 255, 253, 251, 248, 243, 237, 230, 221, 211, 200, 188, 175, 161, 147, 132,
     117, 102, 88,  75,  63,  51,  41,  32,  24,  18,  12,  8,   4,   2,   1,   0},
    {255, 255, 254, 252, 248, 244, 238, 232, 223, 214, 203, 191, 179, 165, 151, 136,
     121, 106, 91,  78,  65,  53,  43,  33,  25,  18,  13,  8,   5,   2,   1,   0},
    {255, 255, 254, 252, 249, 245, 239, 232, 224, 215, 204, 193, 180, 167, 152, 137,
     122, 107, 93,  79,  66,  54,  44,  34,  26,  19,  13,  8,   5,   2,   1,   0},
    {255, 255, 254, 252, 249, 245, 239, 233, 225, 216, 205, 194, 181, 168, 153, 138,
     123, 108, 94,  80,  67,  55,  44,  35,  26,  19,  13,  9,   5,   2,   1,   0},
    {255, 255, 254, 252, 249, 245, 240, 233, 225, 216, 206, 194, 182, 168, 154, 139,
     124, 109, 94,  80,  68,  56,  45,  35,  27,  19,  13,  9,   5,   2,   1,   0},
    {255, 255, 254, 252, 249, 245, 240, 233, 225, 216, 206, 195, 182, 169, 154, 140,
     124, 109, 95,  81,  68,  56,  45,  35,  27,  20,  14,  9,   5,   2,   1,   0},
    {255, 255, 254, 252, 249, 245, 240, 233, 226, 216, 206, 195, 182, 169, 155, 140,
     125, 110, 95,  81,  68,  56,  45,  35,  27,  20,  14,  9,   5,   3,   1,   0},
    {255, 255, 254, 252, 249, 245, 240, 233, 226, 217, 206, 195, 183, 169, 155, 140,
     125, 110, 95,  81,  68,  56,  45,  36,  27,  20,  14,  9,   5,   3,   1,   0},
    {255, 255, 254, 252, 249, 245, 240, 234, 226, 217, 207, 195, 183, 169, 155, 140,
     125, 110, 96,  82,  69,  56,  46,  36,  27,  20,  14,  9,   5,   3,   1,   0},
    {255, 255, 254, 252, 250, 246, 241, 235, 227, 218, 208, 197, 185, 172, 158, 143,
     127, 112, 97,  83,  70,  58,  47,  37,  28,  20,  14,  9,   5,   3,   1,   0},
}};

// Signed distance of a pixel outside the circle, to first order (negative inside), from the
// pixel's offset to the centre: f = (dx² + dy² − r²) / (2r).
// From the squared offset d2 = dx² + dy², the same value.
inline double discEdgeDistanceOfSquare(double d2, double r) { return (d2 - r * r) / (2.0 * r); }
inline double discEdgeDistance(double dx, double dy, double r) { return discEdgeDistanceOfSquare(dx * dx + dy * dy, r); }

// k = trunc((f + 1) · 16 + 0.5) clamped to 0 … 31; rows trunc(r) and trunc(r) + 1 clamped to
// 0 … 11; coverage = trunc((1 − frac) · table[a][k] + frac · table[b][k] + 0.5).
// A NaN distance covers nothing.
inline int edgeCoverageColumn(double f) {  // −1 for NaN
  const double column = (f + 1.0) * 16.0 + 0.5;
  if (column != column) return -1;
  return column < 1.0 ? 0 : column >= 31.0 ? 31 : static_cast<int>(column);
}

// The two table rows a radius blends, and the blend of one column.
struct CoverageRows {
  const std::uint8_t* a;
  const std::uint8_t* b;
  double frac;

  explicit CoverageRows(const DiscRadius& radius) {
    constexpr int kLastRow = static_cast<int>(DiscEdgeCoverageTable.size()) - 1;
    const int rowA = radius.whole < 0 ? 0 : radius.whole > kLastRow ? kLastRow : radius.whole;
    const int rowB = radius.wholePlusOne < 0 ? 0 : radius.wholePlusOne > kLastRow ? kLastRow : radius.wholePlusOne;
    a = DiscEdgeCoverageTable[static_cast<std::size_t>(rowA)].data();
    b = DiscEdgeCoverageTable[static_cast<std::size_t>(rowB)].data();
    frac = radius.fraction;
  }

  int at(int k) const {
    const double coverage = (1.0 - frac) * a[k] + frac * b[k] + 0.5;
    // Only a malformed fraction (outside 0 … 1, NaN) can leave 0 … 255.5.
    if (!(coverage > 0.0)) return 0;
    if (coverage >= 255.0) return 255;
    return static_cast<int>(coverage);
  }
};

inline int columnCoverage(const DiscRadius& radius, int k) { return CoverageRows(radius).at(k); }

inline int EdgeCoverage(const DiscRadius& radius, double f) {
  const int k = edgeCoverageColumn(f);
  return k < 0 ? 0 : columnCoverage(radius, k);
}

// EdgeCoverage for the pixels of one disc: both table rows are the same for all of them, so
// the blend of every column is worked out once, up front (a few vector operations).
class DiscCoverage {
public:
  explicit DiscCoverage(const DiscRadius& radius) {
    const CoverageRows rows(radius);
    if (rows.frac >= 0.0 && rows.frac <= 1.0) {
      // A fraction in 0 … 1 keeps every blend in 0.5 … 255.5, where CoverageRows::at's
      // clamps change nothing (trunc(255.5) is 255): the plain loop, which vectorises.
      const double keepA = 1.0 - rows.frac;
      for (std::size_t k = 0; k < values_.size(); ++k) {
        values_[k] = static_cast<std::uint8_t>(static_cast<int>(keepA * rows.a[k] + rows.frac * rows.b[k] + 0.5));
      }
      return;
    }
    for (std::size_t k = 0; k < values_.size(); ++k) values_[k] = static_cast<std::uint8_t>(rows.at(static_cast<int>(k)));
  }

  int at(double f) const {
    const int k = edgeCoverageColumn(f);
    return k < 0 ? 0 : values_[static_cast<std::size_t>(k)];
  }

private:
  std::array<std::uint8_t, 32> values_{};
};
