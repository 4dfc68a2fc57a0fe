// What differs between the three pixel depths, in one place. Every routine that touches pixels
// is written once over the pixel type and asks these traits for the channel type, the full
// value and the handful of depth-specific conversions.
//
// Channels are straight (not premultiplied); full is 255 in 8-bit, 32768 (not 65535) in 16-bit
// and 1.0 in float.
#pragma once

#include <cstdint>

#include "AE_Effect.h"

template <class Pixel>
struct PixelTraits;

namespace pixel_detail {

// Truncates toward zero into 0 … full. Valid values never reach the clamps; they only keep NaN
// and out-of-range input (malformed parameters) away from an undefined float-to-int conversion.
template <class Channel>
inline Channel truncateToChannel(double value, Channel full) {
  if (!(value > 0.0)) return 0;
  if (value >= static_cast<double>(full)) return full;
  return static_cast<Channel>(value);
}

// The shared integer arithmetic of the 8-bit and 16-bit depths.
// Wide holds products of two channels; shift divides a channel product by (about) full.
template <class ChannelT, class WideT, int Full, int WeightShift>
struct IntegerPixelTraits {
  using Channel = ChannelT;
  using Wide = WideT;
  using BlendWeight = WideT;
  using RampWeight = std::int32_t;  // k in 0 … 32768
  static constexpr Channel full = static_cast<Channel>(Full);

  // channel = trunc(f · full), f a fraction 0 … 1 (an opacity, a colour parameter · 1/255)
  static Channel fromFraction(double fraction) {
    return truncateToChannel<Channel>(fraction * static_cast<double>(Full), full);
  }
  static Channel alphaFromOpacity(double opacity) { return fromFraction(opacity); }

  // alpha' = trunc(alpha · cov · (1/255)), alpha · cov formed as an integer; cov in 0 … 255.
  // For every channel value and coverage that equals the integer quotient alpha · cov / 255
  // (a test goes through all of them), which needs no trip through double.
  static Channel scaleByCoverage(Channel alpha, int coverage) {
    const Wide product = static_cast<Wide>(alpha) * coverage;
    return static_cast<Channel>(product / 255);
  }

  // Colour from the colour model, c in 0 … 1: trunc(float(c) · full_f + 0.5), the product in
  // single precision and the half added in double.
  static Channel fromUnit(double c) {
    const float scaled = static_cast<float>(c) * static_cast<float>(Full);
    return truncateToChannel<Channel>(static_cast<double>(scaled) + 0.5, full);
  }

  // mid = start + ((end − start) · 16384) / 32768, integer division truncating toward zero
  static Channel midpoint(Channel start, Channel end) {
    const Wide difference = static_cast<Wide>(end) - static_cast<Wide>(start);
    return static_cast<Channel>(static_cast<Wide>(start) + (difference * 16384) / 32768);
  }

  // k = trunc(u · 32768); u is 0 … 1 for every sample of a valid stroke
  static RampWeight rampWeight(double u) {
    const double scaled = u * 32768.0;
    if (!(scaled > 0.0)) return 0;
    if (scaled >= 32768.0) return 32768;
    return static_cast<RampWeight>(scaled);
  }

  // c = from + (to − from) · k / 32768, integer division truncating toward zero
  static Channel ramp(Channel from, Channel to, RampWeight k) {
    const Wide difference = static_cast<Wide>(to) - static_cast<Wide>(from);
    return static_cast<Channel>(static_cast<Wide>(from) + (difference * k) / 32768);
  }

  // w = ((full − sa) · da) >> shift   (>> 8 in 8-bit: a division by 256, not 255)
  static BlendWeight blendWeight(Channel sa, Channel da) {
    return ((static_cast<Wide>(Full) - sa) * static_cast<Wide>(da)) >> WeightShift;
  }

  static BlendWeight blendAlpha(Channel sa, BlendWeight w) { return static_cast<Wide>(sa) + w; }

  // c = (src · sa + dst · w) / A, integer division
  static Channel blendChannel(Channel src, Channel sa, Channel dst, BlendWeight w, BlendWeight a) {
    return static_cast<Channel>((static_cast<Wide>(src) * sa + static_cast<Wide>(dst) * w) / a);
  }
};

}  // namespace pixel_detail

template <>
struct PixelTraits<PF_Pixel8> : pixel_detail::IntegerPixelTraits<A_u_char, std::int32_t, 255, 8> {
  // Channel to 0 … 1: channel · 0.00392156862745098 (the double nearest 1/255).
  static constexpr double readScale = 0.00392156862745098;
};

// 16-bit products reach 2^31 (32768 · 32768 · 2): 64-bit intermediates.
template <>
struct PixelTraits<PF_Pixel16> : pixel_detail::IntegerPixelTraits<A_u_short, std::int64_t, 32768, 15> {
  // Channel to 0 … 1: channel · 2^-15.
  static constexpr double readScale = 3.0517578125e-5;
};

template <>
struct PixelTraits<PF_PixelFloat> {
  using Channel = PF_FpShort;
  using BlendWeight = float;
  using RampWeight = double;  // u itself: float strokes are not quantised along their length
  static constexpr Channel full = 1.0f;
  static constexpr double readScale = 1.0;

  // channel = f, kept in 0 … 1 like the integer depths (only malformed input is clamped)
  static Channel fromFraction(double fraction) {
    if (!(fraction > 0.0)) return 0.0f;
    if (fraction >= 1.0) return 1.0f;
    return static_cast<Channel>(fraction);
  }
  static Channel alphaFromOpacity(double opacity) { return fromFraction(opacity); }

  // alpha' = (alpha · cov, in float) · (1/255), stored as float
  static Channel scaleByCoverage(Channel alpha, int coverage) {
    const float product = alpha * static_cast<float>(coverage);
    return static_cast<Channel>(static_cast<double>(product) * (1.0 / 255.0));
  }

  static Channel fromUnit(double c) { return static_cast<Channel>(c); }

  // mid = start + (end − start) · 0.5, in float
  static Channel midpoint(Channel start, Channel end) { return start + (end - start) * 0.5f; }

  static RampWeight rampWeight(double u) { return u; }

  // c = from + (to − from) · u, in double, stored as float
  static Channel ramp(Channel from, Channel to, RampWeight u) {
    const double f = from;
    return static_cast<Channel>(f + (static_cast<double>(to) - f) * u);
  }

  // w = (1 − sa) · da
  static BlendWeight blendWeight(Channel sa, Channel da) { return (1.0f - sa) * da; }

  static BlendWeight blendAlpha(Channel sa, BlendWeight w) { return sa + w; }

  // c = (src · sa + dst · w) / A, a true division
  static Channel blendChannel(Channel src, Channel sa, Channel dst, BlendWeight w, BlendWeight a) {
    return (src * sa + dst * w) / a;
  }
};
