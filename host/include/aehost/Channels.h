#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>

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

// One channel in the channel type of another depth; the same type is copied.
constexpr A_u_char toChannel8(A_u_char v) { return v; }
constexpr A_u_char toChannel8(A_u_short v) { return channel16To8(v); }
inline A_u_char toChannel8(PF_FpShort v) { return channelFloatTo8(v); }
constexpr A_u_short toChannel16(A_u_char v) { return channel8To16(v); }
constexpr A_u_short toChannel16(A_u_short v) { return v; }
inline A_u_short toChannel16(PF_FpShort v) { return channelFloatTo16(v); }
inline PF_FpShort toChannelFloat(A_u_char v) { return channel8ToFloat(v); }
inline PF_FpShort toChannelFloat(A_u_short v) { return channel16ToFloat(v); }
inline PF_FpShort toChannelFloat(PF_FpShort v) { return v; }

template <typename To, typename Channel>
auto convertChannel(Channel v) {
  if constexpr (std::is_same_v<To, PF_Pixel8>) {
    return toChannel8(v);
  } else if constexpr (std::is_same_v<To, PF_Pixel16>) {
    return toChannel16(v);
  } else {
    static_assert(std::is_same_v<To, PF_PixelFloat>, "a world pixel type");
    return toChannelFloat(v);
  }
}

// Whole pixels, channel by channel; the same depth is a plain copy.
template <typename To, typename From>
To convertPixel(const From& p) {
  return To{convertChannel<To>(p.alpha), convertChannel<To>(p.red), convertChannel<To>(p.green),
            convertChannel<To>(p.blue)};
}

}  // namespace aehost
