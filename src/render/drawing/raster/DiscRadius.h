// The radius of the disc being stamped, split the way the coverage table is read: its whole
// pixels pick two table rows and the fraction blends between them.
#pragma once

// Discs larger than this draw nothing. Thickness tops out at 1000 px; the cap only keeps absurd
// input (1e30) away from int conversions and from span buffers of billions of rows.
inline constexpr double kMaxDiscRadiusPx = 32768.0;

struct DiscRadius {
  int whole = 0;          // trunc(r)
  double fraction = 0.0;  // r − trunc(r), 0 … 1
  int wholePlusOne = 1;   // trunc(r) + 1

  // For 0 ≤ r ≤ kMaxDiscRadiusPx; anything else gives radius 0.
  static DiscRadius of(double r) {
    if (!(r >= 0.0 && r <= kMaxDiscRadiusPx)) return DiscRadius{};
    const int whole = static_cast<int>(r);
    return DiscRadius{whole, r - whole, whole + 1};
  }
};
