#pragma once

#include <cmath>
#include <cstdint>

#include "AE_Effect.h"

namespace aehost {

// Channel values in the three world depths: 8-bit 0..255, 16-bit 0..32768 (PF_MAX_CHAN16, not
// 65535), float 0..1 nominal. Every conversion rounds to the nearest value, halves upward, and
// clamps to the target's range (floats to 0..1 on the way to an integer depth; NaN becomes 0).
// Integer conversions use exact integer arithmetic, so they are the same on every machine.

inline constexpr std::uint32_t kMax8 = 255;
inline constexpr std::uint32_t kMax16 = 32768;
inline constexpr std::uint32_t kMaxPng16 = 65535;

// round(a / b) for non-negative integers, halves upward.
constexpr std::uint64_t roundedQuotient(std::uint64_t a, std::uint64_t b) { return (2 * a + b) / (2 * b); }

constexpr A_u_short channel8To16(A_u_char v) { return static_cast<A_u_short>(roundedQuotient(v * std::uint64_t{kMax16}, kMax8)); }
constexpr A_u_char channel16To8(A_u_short v) {
  const std::uint64_t clamped = v > kMax16 ? kMax16 : v;
  return static_cast<A_u_char>(roundedQuotient(clamped * kMax8, kMax16));
}
inline PF_FpShort channel8ToFloat(A_u_char v) { return static_cast<PF_FpShort>(v) / 255.0f; }
inline PF_FpShort channel16ToFloat(A_u_short v) { return static_cast<PF_FpShort>(v) / 32768.0f; }

// A double in 0..1 (clamped) to 0..max, rounded half up.
inline std::uint32_t unitToInteger(double v, std::uint32_t max) {
  if (!(v > 0.0)) return 0;  // also NaN
  if (v >= 1.0) return max;
  return static_cast<std::uint32_t>(std::floor(v * max + 0.5));
}
inline A_u_char channelFloatTo8(PF_FpShort v) { return static_cast<A_u_char>(unitToInteger(v, kMax8)); }
inline A_u_short channelFloatTo16(PF_FpShort v) { return static_cast<A_u_short>(unitToInteger(v, kMax16)); }

// 16-bit PNG samples (0..65535) and 16-bit world channels (0..32768).
constexpr A_u_short channel16ToPng(A_u_short v) {
  const std::uint64_t clamped = v > kMax16 ? kMax16 : v;
  return static_cast<A_u_short>(roundedQuotient(clamped * kMaxPng16, kMax16));
}
constexpr A_u_short pngToChannel16(A_u_short v) { return static_cast<A_u_short>(roundedQuotient(v * std::uint64_t{kMax16}, kMaxPng16)); }
inline A_u_short channelFloatToPng(PF_FpShort v) { return static_cast<A_u_short>(unitToInteger(v, kMaxPng16)); }

// Whole pixels, channel by channel; the same depth is a plain copy.
template <typename To, typename From>
To convertPixel(const From& p);

template <>
inline PF_Pixel8 convertPixel<PF_Pixel8, PF_Pixel8>(const PF_Pixel8& p) { return p; }
template <>
inline PF_Pixel16 convertPixel<PF_Pixel16, PF_Pixel16>(const PF_Pixel16& p) { return p; }
template <>
inline PF_PixelFloat convertPixel<PF_PixelFloat, PF_PixelFloat>(const PF_PixelFloat& p) { return p; }
template <>
inline PF_Pixel16 convertPixel<PF_Pixel16, PF_Pixel8>(const PF_Pixel8& p) {
  return {channel8To16(p.alpha), channel8To16(p.red), channel8To16(p.green), channel8To16(p.blue)};
}
template <>
inline PF_PixelFloat convertPixel<PF_PixelFloat, PF_Pixel8>(const PF_Pixel8& p) {
  return {channel8ToFloat(p.alpha), channel8ToFloat(p.red), channel8ToFloat(p.green), channel8ToFloat(p.blue)};
}
template <>
inline PF_Pixel8 convertPixel<PF_Pixel8, PF_Pixel16>(const PF_Pixel16& p) {
  return {channel16To8(p.alpha), channel16To8(p.red), channel16To8(p.green), channel16To8(p.blue)};
}
template <>
inline PF_PixelFloat convertPixel<PF_PixelFloat, PF_Pixel16>(const PF_Pixel16& p) {
  return {channel16ToFloat(p.alpha), channel16ToFloat(p.red), channel16ToFloat(p.green), channel16ToFloat(p.blue)};
}
template <>
inline PF_Pixel8 convertPixel<PF_Pixel8, PF_PixelFloat>(const PF_PixelFloat& p) {
  return {channelFloatTo8(p.alpha), channelFloatTo8(p.red), channelFloatTo8(p.green), channelFloatTo8(p.blue)};
}
template <>
inline PF_Pixel16 convertPixel<PF_Pixel16, PF_PixelFloat>(const PF_PixelFloat& p) {
  return {channelFloatTo16(p.alpha), channelFloatTo16(p.red), channelFloatTo16(p.green), channelFloatTo16(p.blue)};
}

}  // namespace aehost
