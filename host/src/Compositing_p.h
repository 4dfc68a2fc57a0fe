// transfer_rect's compositing (aehost/WorldOps.h documents the formula): the double-precision
// reference, and the shortcuts transferWorld takes when source and destination have the same
// format, which store exactly what the reference stores. Internal to aehost; the tests include
// it to compare the two.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
// Rows composited by a second copy of overRow built for AVX2, taken where the processor has it
// (overRowWide): the host runs on the x86-64 baseline, whose blocks take two or four 16-byte
// steps where AVX2 takes one. Only functions marked for it use AVX2, so nothing built for it
// is ever called on a processor without it.
#define AEHOST_WIDE_BLOCKS 1
#define AEHOST_AVX2 __attribute__((target("avx2")))
#endif

#include "AE_Effect.h"
#include "aehost/Channels.h"

namespace aehost::compositing {

// ---- The reference: channels normalised to 0..1, the formula in double, then stored. ----

inline double normalised(A_u_char v) { return v / 255.0; }
inline double normalised(A_u_short v) { return std::min<A_u_short>(v, kMax16) / 32768.0; }
inline double normalised(PF_FpShort v) { return v; }
inline double normalisedAlpha(PF_FpShort v) { return std::clamp<double>(v, 0.0, 1.0); }
inline double normalisedAlpha(A_u_char v) { return normalised(v); }
inline double normalisedAlpha(A_u_short v) { return normalised(v); }

template <typename Channel>
Channel stored(double v);
template <>
inline A_u_char stored<A_u_char>(double v) { return static_cast<A_u_char>(unitToInteger(v, kMax8)); }
template <>
inline A_u_short stored<A_u_short>(double v) { return static_cast<A_u_short>(unitToInteger(v, kMax16)); }
template <>
inline PF_FpShort stored<PF_FpShort>(double v) { return static_cast<PF_FpShort>(v); }

// IN_FRONT: straight-alpha src over dst at opacity o (0..1).
template <typename Pixel>
Pixel referenceOver(const Pixel& s, const Pixel& d, double opacity) {
  using Channel = decltype(s.alpha);
  const double sa = normalisedAlpha(s.alpha) * opacity;
  const double da = normalisedAlpha(d.alpha);
  const double outA = sa + da * (1.0 - sa);
  const auto colour = [&](Channel sc, Channel dc) {
    if (outA == 0.0) return stored<Channel>(0.0);
    return stored<Channel>((normalised(sc) * sa + normalised(dc) * da * (1.0 - sa)) / outA);
  };
  return Pixel{stored<Channel>(outA), colour(s.red, d.red), colour(s.green, d.green), colour(s.blue, d.blue)};
}

// COPY: the source with its alpha multiplied by o.
template <typename Pixel>
Pixel referenceFaded(Pixel s, double opacity) {
  if (opacity >= 1.0) return s;
  using Channel = decltype(s.alpha);
  s.alpha = stored<Channel>(normalisedAlpha(s.alpha) * opacity);
  return s;
}

// ---- Shortcuts with the same stored results. ----
//
// A transparent source pixel (alpha 0) at any opacity: sa = 0, so outA = da and each colour is
// (dc * da) / da. Stored, that is the destination pixel when its values are in range:
//   8-bit: da = D/255 > 0; (dc/255 * da) / da is within a few ulps of dc/255, so
//     floor(v * 255 + 0.5) = dc (and alpha D likewise).
//   16-bit: only when D > 0 and every channel <= 32768 (larger values are clamped by the
//     formula, so the stored result would differ from the destination).
//   float: sc * sa is +-0 only when sc is finite; then (+-0 + dc*da) / da, with dc*da exact in
//     double, is dc exactly when da = alpha is in (0, 1] and dc is finite and not -0 (+0 + -0
//     would store +0).
// With a destination alpha of 0 the formula stores all zeros instead; that is not kept here.
inline bool keepsDestination(const PF_Pixel8& s, const PF_Pixel8& d) { return s.alpha == 0 && d.alpha != 0; }
inline bool keepsDestination(const PF_Pixel16& s, const PF_Pixel16& d) {
  return s.alpha == 0 && d.alpha != 0 && d.alpha <= kMax16 && d.red <= kMax16 && d.green <= kMax16 && d.blue <= kMax16;
}
inline bool finite(PF_FpShort v) { return std::isfinite(v); }
inline bool finiteNotMinusZero(PF_FpShort v) { return std::isfinite(v) && !(v == 0.0f && std::signbit(v)); }
inline bool keepsDestination(const PF_PixelFloat& s, const PF_PixelFloat& d) {
  return s.alpha <= 0.0f && finite(s.red) && finite(s.green) && finite(s.blue) && d.alpha > 0.0f && d.alpha <= 1.0f &&
         finiteNotMinusZero(d.red) && finiteNotMinusZero(d.green) && finiteNotMinusZero(d.blue);
}

// 8-bit at o = 1 in integers. With S, D the alphas and sc, dc a colour pair, the exact values
// of the formula are
//   outA * 255 = Q / 255,   outC * 255 = P / Q,
//   Q = 255*S + D*(255 - S),   P = sc*S*255 + dc*D*(255 - S)   (Q <= 65025, 2P + Q < 2^26),
// and the reference stores them rounded half up after a few double roundings (relative error
// well under 1e-14, i.e. under 1e-11 absolute at these magnitudes). Q / 255 is never a half
// (2Q is even, 255 * odd is odd) and lies >= 1/510 from one. P / Q, unless it is exactly
// n + 1/2, lies >= 1/(2Q) >= 1/130050 from every half, so the reference's rounding cannot
// cross a half boundary: its stored value is floor((2P + Q) / (2Q)). At an exact half the
// double result may land on either side, so there this returns nothing and the caller uses
// the reference. Q = 0 (S = D = 0) stores all zeros, as outA = 0 does. A one-off run over all
// 2^32 (S, D, sc, dc) found no difference from the reference, and 832276 exact halves, 194537
// of which the reference stores rounded down (e.g. S 2, D 6, sc 0, dc 169: 126.5 -> 126).
inline std::optional<PF_Pixel8> integerOverFull(const PF_Pixel8& s, const PF_Pixel8& d) {
  const std::uint32_t sa = s.alpha, da = d.alpha;
  // S = 255, or D = 0 < S: Q = 255*S and P = sc*Q, the source itself. S = D = 0: zeros.
  if (sa == kMax8) return s;
  if (da == 0) return sa == 0 ? PF_Pixel8{} : s;
  const std::uint32_t ws = sa * kMax8, wd = da * (kMax8 - sa);
  const std::uint32_t q = ws + wd, q2 = 2 * q;  // q > 0 as da > 0
  bool half = false;
  const auto colour = [&](std::uint32_t sc, std::uint32_t dc) {
    const std::uint32_t n = 2 * (sc * ws + dc * wd) + q;
    half |= n % q2 == 0;
    return static_cast<A_u_char>(n / q2);
  };
  const PF_Pixel8 out{static_cast<A_u_char>((2 * q + kMax8) / (2 * kMax8)), colour(s.red, d.red), colour(s.green, d.green),
                      colour(s.blue, d.blue)};
  if (half) return std::nullopt;
  return out;
}

// 16-bit at o = 1 in integers, always the reference's stored result. Channels are clamped to
// 32768 first (S, D, sc, dc below are clamped); dividing by 32768 is exact in double, and every
// step before the division is exact too: sa = S/2^15, 1 - sa = (2^15 - S)/2^15,
// da * (1 - sa) = D(2^15 - S)/2^30, outA = Q/2^30 with Q = S*2^15 + D*(2^15 - S) <= 2^30, and
// the numerator is P/2^45 with P = sc*S*2^15 + dc*D*(2^15 - S) <= 2^45 (all integers far below
// 2^53). Alpha: outA * 32768 + 0.5 = (Q + 2^14)/2^15 exactly, stored (Q + 2^14) >> 15.
// Colour: the division rounds once, to w = fl(P/Q) (times 2^-15, exact), then w + 0.5 rounds.
// If P/Q = n + 1/2 exactly, w and w + 0.5 are exact. Otherwise P/Q is >= 1/(2Q) >= 2^-31 from
// every half while each rounding moves by at most ulp(2^15)/2 = 2^-38, so floor(w + 0.5) =
// floor(P/Q + 1/2) = floor((2P + Q) / (2Q)). P/Q <= 2^15, so the >= 1 clamp agrees too; Q = 0
// stores zeros as outA = 0 does.
inline PF_Pixel16 integerOverFull(const PF_Pixel16& s, const PF_Pixel16& d) {
  const auto clamp = [](A_u_short v) -> std::uint32_t { return v > kMax16 ? kMax16 : v; };
  const std::uint32_t sa = clamp(s.alpha), da = clamp(d.alpha);
  // S = 32768, or D = 0 < S: Q = S*2^15 and P = sc*Q, the clamped source. S = D = 0: zeros.
  if (sa == kMax16 || da == 0) {
    if (sa == 0) return PF_Pixel16{};
    return PF_Pixel16{static_cast<A_u_short>(sa), static_cast<A_u_short>(clamp(s.red)), static_cast<A_u_short>(clamp(s.green)),
                      static_cast<A_u_short>(clamp(s.blue))};
  }
  const std::uint64_t ws = std::uint64_t{sa} << 15, wd = std::uint64_t{da} * (kMax16 - sa);
  const std::uint64_t q = ws + wd, q2 = 2 * q;  // q > 0 as da > 0
  const auto colour = [&](A_u_short sc, A_u_short dc) {
    return static_cast<A_u_short>((2 * (clamp(sc) * ws + clamp(dc) * wd) + q) / q2);
  };
  return PF_Pixel16{static_cast<A_u_short>((q + (1u << 14)) >> 15), colour(s.red, d.red), colour(s.green, d.green),
                    colour(s.blue, d.blue)};
}

// IN_FRONT at o = 1 with the shortcuts: integer depths in integers (8-bit exact halves by the
// reference); float an opaque source (alpha >= 1, so sa = 1 and outA = 1 + da * 0 = 1 when da
// is not NaN) stores alpha 1 and its colours (sc + (dc * da) * 0) / 1 = sc when dc is finite
// and sc finite and not -0 (-0 + +0 would store +0); other float pixels by the reference.
inline PF_Pixel8 overFull(const PF_Pixel8& s, const PF_Pixel8& d) {
  if (const auto out = integerOverFull(s, d)) return *out;
  return referenceOver(s, d, 1.0);
}
inline PF_Pixel16 overFull(const PF_Pixel16& s, const PF_Pixel16& d) { return integerOverFull(s, d); }
inline PF_PixelFloat overFull(const PF_PixelFloat& s, const PF_PixelFloat& d) {
  if (s.alpha >= 1.0f && !std::isnan(d.alpha) && finiteNotMinusZero(s.red) && finiteNotMinusZero(s.green) &&
      finiteNotMinusZero(s.blue) && finite(d.red) && finite(d.green) && finite(d.blue)) {
    return PF_PixelFloat{1.0f, s.red, s.green, s.blue};
  }
  return referenceOver(s, d, 1.0);
}

// keepsDestination for the 8 pixels from in and out, all of them: the same questions asked of
// 16 bytes at a time (GCC/Clang vector extensions; without them, pixel by pixel).
inline constexpr std::int64_t kBlock = 8;

#if defined(__GNUC__)
namespace vec {
using I32x4 = std::int32_t __attribute__((vector_size(16)));
using I16x8 = std::int16_t __attribute__((vector_size(16)));
using U32x4 = std::uint32_t __attribute__((vector_size(16)));
using U16x8 = std::uint16_t __attribute__((vector_size(16)));
using F32x4 = float __attribute__((vector_size(16)));
template <typename V>
V load(const void* p) {
  V v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
template <typename V>
bool allZero(V v) {
  std::uint64_t w[2];
  std::memcpy(w, &v, sizeof w);
  return (w[0] | w[1]) == 0;
}
}  // namespace vec

inline bool blockKeepsDestination(const PF_Pixel8* in, const PF_Pixel8* out) {
  using vec::U32x4;
  constexpr std::uint32_t a = std::bit_cast<std::uint32_t>(PF_Pixel8{0xFF, 0, 0, 0});
  constexpr U32x4 alpha{a, a, a, a};
  vec::I32x4 bad{};
  for (int k = 0; k < kBlock; k += 4) {
    const U32x4 s = vec::load<U32x4>(in + k), d = vec::load<U32x4>(out + k);
    bad |= ~(((s & alpha) == 0) & ((d & alpha) != 0));
  }
  return vec::allZero(bad);
}

inline bool blockKeepsDestination(const PF_Pixel16* in, const PF_Pixel16* out) {
  using vec::U16x8;
  constexpr U16x8 alpha{0xFFFF, 0, 0, 0, 0xFFFF, 0, 0, 0};
  vec::I16x8 bad{};
  for (int k = 0; k < kBlock; k += 2) {
    const U16x8 s = vec::load<U16x8>(in + k), d = vec::load<U16x8>(out + k);
    bad |= ~(((s & alpha) == 0) & ((d | ~alpha) != 0) & (d <= static_cast<std::uint16_t>(kMax16)));
  }
  return vec::allZero(bad);
}

inline bool blockKeepsDestination(const PF_PixelFloat* in, const PF_PixelFloat* out) {
  using vec::F32x4;
  using vec::I32x4;
  constexpr float inf = std::numeric_limits<float>::infinity(), big = std::numeric_limits<float>::max();
  // Source: -inf <= alpha <= 0, -max <= colour <= max; all true of all-zero bits (the cleared
  // part of a stroke world), which is asked first. Destination: 0 < alpha <= 1 and
  // -inf < colour <= max (ordered comparisons, so NaN fails), and no channel is -0.
  constexpr F32x4 sourceLow{-inf, -big, -big, -big}, sourceHigh{0.0f, big, big, big};
  constexpr F32x4 destLow{0.0f, -inf, -inf, -inf}, destHigh{1.0f, big, big, big};
  constexpr std::int32_t minusZero = std::bit_cast<std::int32_t>(0x80000000u);
  I32x4 sourceBits{};
  for (int k = 0; k < kBlock; ++k) sourceBits |= vec::load<I32x4>(in + k);
  I32x4 ok = ~I32x4{}, minusZeros{};
  if (!vec::allZero(sourceBits)) {
    for (int k = 0; k < kBlock; ++k) {
      const F32x4 s = vec::load<F32x4>(in + k);
      ok &= (s >= sourceLow) & (s <= sourceHigh);
    }
    // A block with a covered pixel is decided here, without its destination.
    if (!vec::allZero(~ok)) return false;
  }
  for (int k = 0; k < kBlock; ++k) {
    const F32x4 d = vec::load<F32x4>(out + k);
    ok &= (d > destLow) & (d <= destHigh);
    minusZeros |= vec::load<I32x4>(out + k) == minusZero;
  }
  return vec::allZero(~ok | minusZeros);
}
// Whether IN_FRONT at o = 1 stores the 8 source pixels as they are, whatever the destination:
// an opaque source (overFull: S = full gives the source, clamped in 16 bits, so every channel
// must be in range). Float's opaque shortcut asks about the destination too: overOpaqueBlock.
inline bool blockTakesSource(const PF_Pixel8* in) {
  using vec::U32x4;
  constexpr std::uint32_t a = std::bit_cast<std::uint32_t>(PF_Pixel8{0xFF, 0, 0, 0});
  constexpr U32x4 alpha{a, a, a, a};
  vec::I32x4 bad{};
  for (int k = 0; k < kBlock; k += 4) bad |= (vec::load<U32x4>(in + k) & alpha) != alpha;
  return vec::allZero(bad);
}

inline bool blockTakesSource(const PF_Pixel16* in) {
  using vec::U16x8;
  constexpr U16x8 full{kMax16, 0, 0, 0, kMax16, 0, 0, 0};
  constexpr U16x8 alphaMask{0xFFFF, 0, 0, 0, 0xFFFF, 0, 0, 0};
  vec::I16x8 bad{};
  for (int k = 0; k < kBlock; k += 2) {
    const U16x8 s = vec::load<U16x8>(in + k);
    bad |= ((s & alphaMask) != full) | (s > static_cast<std::uint16_t>(kMax16));
  }
  return vec::allZero(bad);
}

// IN_FRONT at o = 1 of 8 opaque 8 or 16-bit source pixels stores them as they are: copied.
// True when it did; false, storing nothing, when any pixel asks otherwise.
inline bool overOpaqueBlock(const PF_Pixel8* in, PF_Pixel8* out) {
  if (!blockTakesSource(in)) return false;
  std::memcpy(out, in, sizeof(PF_Pixel8) * kBlock);
  return true;
}
inline bool overOpaqueBlock(const PF_Pixel16* in, PF_Pixel16* out) {
  if (!blockTakesSource(in)) return false;
  std::memcpy(out, in, sizeof(PF_Pixel16) * kBlock);
  return true;
}

// Float's opaque shortcut, for the 8 pixels at once: every source alpha >= 1 with finite
// colours that are not -0, every destination alpha not NaN with finite colours. Stores what
// overFull stores, alpha 1 and the source's colours, and returns true; false, storing nothing,
// when any pixel asks otherwise.
inline bool overOpaqueBlock(const PF_PixelFloat* in, PF_PixelFloat* out) {
  using vec::F32x4;
  using vec::I32x4;
  constexpr float inf = std::numeric_limits<float>::infinity(), big = std::numeric_limits<float>::max();
  constexpr F32x4 sourceLow{1.0f, -big, -big, -big}, sourceHigh{inf, big, big, big};
  constexpr F32x4 destLow{-inf, -big, -big, -big}, destHigh{inf, big, big, big};
  constexpr std::int32_t minusZero = std::bit_cast<std::int32_t>(0x80000000u);
  I32x4 ok = ~I32x4{}, minusZeros{};
  for (int k = 0; k < kBlock; ++k) {
    const F32x4 s = vec::load<F32x4>(in + k);
    ok &= (s >= sourceLow) & (s <= sourceHigh);
    minusZeros |= vec::load<I32x4>(in + k) == minusZero;
  }
  // A block with a pixel not opaque (a stroke's edge) is decided here, without its destination.
  if (!vec::allZero(~ok | minusZeros)) return false;
  for (int k = 0; k < kBlock; ++k) {
    const F32x4 d = vec::load<F32x4>(out + k);
    ok &= (d >= destLow) & (d <= destHigh);
  }
  if (!vec::allZero(~ok)) return false;
  for (int k = 0; k < kBlock; ++k) out[k] = PF_PixelFloat{1.0f, in[k].red, in[k].green, in[k].blue};
  return true;
}
// IN_FRONT at o = 1 of 8 8-bit pixels onto 8 opaque ones (D = 255, the usual case of a
// stroke over footage): Q = 65025, so outA = 255, and P = 255 * m with
// m = sc*S + dc*(255 - S), so the stored colour is floor((2m + 255) / 510) =
// floor((m + 127) / 255) (no integer lies strictly between (m + 127) / 255 and
// (m + 127.5) / 255), never an exact half as 2m + 255 is odd. That holds for S = 0 and
// S = 255 too, so all 8 go through the one formula: m <= 65025 fits 16 bits. True when it
// stored them; false, storing nothing, when a destination is not opaque.
//
// The blocks onto opaque destinations, in every depth, are written in SSE2 intrinsics; elsewhere
// the generic overOntoOpaqueBlock below declines and the pixels take the pixel-by-pixel path,
// which stores the same values.
#if defined(__SSE2__)
inline bool overOntoOpaqueBlock(const PF_Pixel8* in, PF_Pixel8* out) {
  using vec::U32x4;
  constexpr std::uint32_t a = std::bit_cast<std::uint32_t>(PF_Pixel8{0xFF, 0, 0, 0});
  constexpr U32x4 alpha{a, a, a, a};
  vec::I32x4 bad{};
  for (int k = 0; k < kBlock; k += 4) bad |= (vec::load<U32x4>(out + k) & alpha) != alpha;
  if (!vec::allZero(bad)) return false;
  // Four pixels a 16-byte load, widened to two vectors of 16-bit lanes and packed back (the
  // vector extensions took eight bytes at a time).
  static_assert(offsetof(PF_Pixel8, alpha) == 0, "alpha is the first byte");
  const __m128i zero = _mm_setzero_si128();
  const __m128i full = _mm_set1_epi16(static_cast<short>(kMax8));
  const __m128i alphaLanes = _mm_setr_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
  const __m128i half = _mm_set1_epi16(127);
  const __m128i inverse255 = _mm_set1_epi16(static_cast<short>(0x8081));  // x / 255 = (x * 0x8081) >> 23, x < 2^16
  const auto blend = [&](__m128i sc, __m128i dc) {
    const __m128i sa = _mm_shufflehi_epi16(_mm_shufflelo_epi16(sc, 0), 0);
    const __m128i m = _mm_add_epi16(_mm_mullo_epi16(sc, sa), _mm_mullo_epi16(dc, _mm_sub_epi16(full, sa)));
    const __m128i stored = _mm_srli_epi16(_mm_mulhi_epu16(_mm_add_epi16(m, half), inverse255), 7);
    return _mm_or_si128(_mm_andnot_si128(alphaLanes, stored), _mm_and_si128(alphaLanes, full));
  };
  for (int k = 0; k < kBlock; k += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + k));
    const __m128i low = blend(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
    const __m128i high = blend(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_packus_epi16(low, high));
  }
  return true;
}
// The same in 16 bits, onto 8 destinations of alpha >= 32768 (clamped, 32768): Q = 2^30 and
// P = 2^15 * m with m = sc*S + dc*(2^15 - S) over the clamped channels, so (2P + Q) / (2Q) is
// (m + 2^14) >> 15 and outA stores 32768, as integerOverFull does for every S. m <= 2^30.
//
// Two pixels a vector of 16-bit lanes: each product from its low and high halves (SSE2 has no
// 32-bit multiply; with 32-bit lanes, a pixel a vector, each product took five instructions),
// the sums in 32 bits, and the results (at most 32768, one past the signed range) packed
// 32768 lower and moved back.
inline bool overOntoOpaqueBlock(const PF_Pixel16* in, PF_Pixel16* out) {
  static_assert(offsetof(PF_Pixel16, alpha) == 0, "alpha is the first lane");
  const __m128i full = _mm_set1_epi16(static_cast<short>(kMax16));
  const __m128i alphaLanes = _mm_setr_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
  // Every destination alpha >= 32768: min(alpha, 32768) == 32768 (unsigned, as subtraction
  // with saturation gives it).
  __m128i bad = _mm_setzero_si128();
  for (int k = 0; k < kBlock; k += 2) {
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + k));
    const __m128i clamped = _mm_sub_epi16(d, _mm_subs_epu16(d, full));
    bad = _mm_or_si128(bad, _mm_andnot_si128(_mm_cmpeq_epi16(clamped, full), alphaLanes));
  }
  if (_mm_movemask_epi8(bad) != 0) return false;
  const __m128i round = _mm_set1_epi32(1 << 14);
  const __m128i half = _mm_set1_epi32(1 << 15);
  for (int k = 0; k < kBlock; k += 2) {
    __m128i sc = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
    __m128i dc = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + k));
    sc = _mm_sub_epi16(sc, _mm_subs_epu16(sc, full));  // min(sc, 32768)
    dc = _mm_sub_epi16(dc, _mm_subs_epu16(dc, full));
    const __m128i sa = _mm_shufflehi_epi16(_mm_shufflelo_epi16(sc, 0), 0);
    const __m128i kept = _mm_sub_epi16(full, sa);
    const __m128i sLow = _mm_mullo_epi16(sc, sa), sHigh = _mm_mulhi_epu16(sc, sa);
    const __m128i dLow = _mm_mullo_epi16(dc, kept), dHigh = _mm_mulhi_epu16(dc, kept);
    const __m128i m0 = _mm_add_epi32(_mm_unpacklo_epi16(sLow, sHigh), _mm_unpacklo_epi16(dLow, dHigh));
    const __m128i m1 = _mm_add_epi32(_mm_unpackhi_epi16(sLow, sHigh), _mm_unpackhi_epi16(dLow, dHigh));
    const __m128i stored0 = _mm_srli_epi32(_mm_add_epi32(m0, round), 15);
    const __m128i stored1 = _mm_srli_epi32(_mm_add_epi32(m1, round), 15);
    __m128i stored = _mm_add_epi16(_mm_packs_epi32(_mm_sub_epi32(stored0, half), _mm_sub_epi32(stored1, half)),
                                   _mm_set1_epi16(static_cast<short>(0x8000)));
    stored = _mm_or_si128(_mm_andnot_si128(alphaLanes, stored), _mm_and_si128(alphaLanes, full));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), stored);
  }
  return true;
}
// Float onto 8 destinations of alpha >= 1 (clamped, da = 1): the reference's own double
// arithmetic without its division, two channels a vector. With sa = clamp(S, 0, 1) in
// [0, 1], da * (1 - sa) is 1 - sa, and outA = sa + (1 - sa) is exactly 1: for sa >= 1/2,
// 1 - sa is exact (Sterbenz); below, 1 - sa in [1/2, 1] is off by at most 2^-54, so the sum
// lies within 2^-54 of 1 and rounds to 1 (a tie at 1 - 2^-54 goes to the even 1). So alpha
// stores 1 and each colour sc*sa + dc*(1 - sa), a division by 1 changing no double. No
// channel may be NaN: which of two NaNs an addition passes on depends on the order the
// compiler gave its operands, which may differ between this and the reference; a NaN the
// arithmetic makes (inf * 0) is the one default NaN in both.
//
// In SSE2 intrinsics: written in the vector extensions, the conversions went a channel at a
// time through the general registers and the whole ran slower than the pixel-by-pixel path.
//
// Whether the 8 pixels take that path: destination alpha >= 1 and colours >= -inf, neither of
// which holds for a NaN, and no source channel NaN. (Asked of the alpha lane alone, the test
// went through the general registers and back for every pixel, a chain as long as the block,
// and took a third of the float compositing.)
inline bool floatBlockGoesOntoOpaque(const PF_PixelFloat* in, const PF_PixelFloat* out) {
  constexpr float inf = std::numeric_limits<float>::infinity();
  constexpr vec::F32x4 destLow{1.0f, -inf, -inf, -inf};
  vec::I32x4 ok = ~vec::I32x4{};
  for (int k = 0; k < kBlock; ++k) {
    const vec::F32x4 s = vec::load<vec::F32x4>(in + k), d = vec::load<vec::F32x4>(out + k);
    ok &= (s == s) & (d >= destLow);
  }
  return vec::allZero(~ok);
}
inline bool overOntoOpaqueBlock(const PF_PixelFloat* in, PF_PixelFloat* out) {
  static_assert(offsetof(PF_PixelFloat, alpha) == 0, "alpha is the first lane");
  if (!floatBlockGoesOntoOpaque(in, out)) return false;
  const __m128d one = _mm_set1_pd(1.0);
  for (int k = 0; k < kBlock; ++k) {
    const __m128 s = _mm_loadu_ps(&in[k].alpha), d = _mm_loadu_ps(&out[k].alpha);
    const __m128d alpha = _mm_set1_pd(normalisedAlpha(in[k].alpha));
    const __m128d kept = _mm_sub_pd(one, alpha);
    // Channels (alpha, red) and (green, blue).
    const __m128d low = _mm_add_pd(_mm_mul_pd(_mm_cvtps_pd(s), alpha), _mm_mul_pd(_mm_cvtps_pd(d), kept));
    const __m128d high = _mm_add_pd(_mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(s, s)), alpha),
                                    _mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(d, d)), kept));
    const __m128 stored = _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high));
    _mm_storeu_ps(&out[k].alpha, _mm_move_ss(stored, _mm_set_ss(1.0f)));
  }
  return true;
}
#endif
template <typename Pixel>
bool overOntoOpaqueBlock(const Pixel*, Pixel*) {
  return false;
}
#else
template <typename Pixel>
bool overOpaqueBlock(const Pixel*, Pixel*) {
  return false;
}
template <typename Pixel>
bool overOntoOpaqueBlock(const Pixel*, Pixel*) {
  return false;
}

template <typename Pixel>
bool blockKeepsDestination(const Pixel* in, const Pixel* out) {
  for (std::int64_t k = 0; k < kBlock; ++k) {
    if (!keepsDestination(in[k], out[k])) return false;
  }
  return true;
}
#endif

#if defined(AEHOST_WIDE_BLOCKS)
// overOntoOpaqueBlock in AVX2, the same arithmetic on twice the lanes: 8-bit, the eight pixels
// in one 32-byte load (each 16-byte half widened and packed back within itself); float, a
// pixel's four channels in one vector of doubles instead of two; 16-bit as it is (only in
// AVX2's encoding, where it measured 8 % faster).
AEHOST_AVX2 inline bool overOntoOpaqueBlockWide(const PF_Pixel8* in, PF_Pixel8* out) {
  static_assert(offsetof(PF_Pixel8, alpha) == 0 && kBlock * sizeof(PF_Pixel8) == 32, "one vector, alpha first");
  const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(out));
  // Every destination alpha 255: the alpha bytes all ones.
  if (!_mm256_testc_si256(d, _mm256_set1_epi32(0xFF))) return false;
  const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
  const __m256i zero = _mm256_setzero_si256();
  const __m256i full = _mm256_set1_epi16(static_cast<short>(kMax8));
  const __m256i alphaLanes = _mm256_setr_epi16(-1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0);
  const __m256i half = _mm256_set1_epi16(127);
  const __m256i inverse255 = _mm256_set1_epi16(static_cast<short>(0x8081));
  const auto blend = [&](__m256i sc, __m256i dc) AEHOST_AVX2 {
    const __m256i sa = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(sc, 0), 0);
    const __m256i m = _mm256_add_epi16(_mm256_mullo_epi16(sc, sa), _mm256_mullo_epi16(dc, _mm256_sub_epi16(full, sa)));
    const __m256i stored = _mm256_srli_epi16(_mm256_mulhi_epu16(_mm256_add_epi16(m, half), inverse255), 7);
    return _mm256_or_si256(_mm256_andnot_si256(alphaLanes, stored), _mm256_and_si256(alphaLanes, full));
  };
  const __m256i low = blend(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero));
  const __m256i high = blend(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_packus_epi16(low, high));
  return true;
}
AEHOST_AVX2 inline bool overOntoOpaqueBlockWide(const PF_Pixel16* in, PF_Pixel16* out) {
  return overOntoOpaqueBlock(in, out);
}
AEHOST_AVX2 inline bool overOntoOpaqueBlockWide(const PF_PixelFloat* in, PF_PixelFloat* out) {
  if (!floatBlockGoesOntoOpaque(in, out)) return false;
  const __m256d one = _mm256_set1_pd(1.0);
  for (int k = 0; k < kBlock; ++k) {
    const __m256d alpha = _mm256_set1_pd(normalisedAlpha(in[k].alpha));
    const __m256d kept = _mm256_sub_pd(one, alpha);
    const __m256d s = _mm256_cvtps_pd(_mm_loadu_ps(&in[k].alpha));
    const __m256d d = _mm256_cvtps_pd(_mm_loadu_ps(&out[k].alpha));
    const __m128 stored = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_mul_pd(s, alpha), _mm256_mul_pd(d, kept)));
    _mm_storeu_ps(&out[k].alpha, _mm_move_ss(stored, _mm_set_ss(1.0f)));
  }
  return true;
}
#endif

// Asks for the bytes a kilobyte past a block (a hint only, never a fault, so past the row's
// end too): left to the hardware prefetcher alone, the scan of two float rows ran at half
// the memory's speed.
template <typename Pixel>
void prefetchAhead(const Pixel* block) {
#if defined(__GNUC__)
  constexpr std::uintptr_t kAhead = 1024, kLine = 64;
  for (std::uintptr_t offset = 0; offset < sizeof(Pixel) * kBlock; offset += kLine) {
    __builtin_prefetch(reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(block) + kAhead + offset));
  }
#else
  (void)block;
#endif
}

// Asks for the first kilobyte of a row that comes next (the rest is asked for by
// prefetchAhead as the row goes): a stroke's rows are short runs far apart in memory, and
// each one started by waiting for memory before.
template <typename Pixel>
void prefetchRowStart(const Pixel* row, std::int64_t n) {
#if defined(__GNUC__)
  constexpr std::uintptr_t kFirst = 1024, kLine = 64;
  const auto start = reinterpret_cast<std::uintptr_t>(row);
  const std::uintptr_t end = start + std::min<std::uintptr_t>(kFirst, static_cast<std::uintptr_t>(n) * sizeof(Pixel));
  for (std::uintptr_t at = start & ~(kLine - 1); at < end; at += kLine) __builtin_prefetch(reinterpret_cast<const void*>(at));
#else
  (void)row;
  (void)n;
#endif
}

// IN_FRONT of a row of n source pixels onto n destination pixels of the same format (not
// overlapping), storing what referenceOver stores for each. Blocks whose pixels all keep the
// destination (the transparent part of a stroke) are passed over, blocks an opaque source
// replaces are copied. kWide: blocks onto opaque destinations in AVX2 (only inlined into
// overRowWide).
template <bool kWide, typename Pixel>
#if defined(__GNUC__)
__attribute__((always_inline))
#endif
inline void overRowWith(const Pixel* in, Pixel* out, std::int64_t n, double opacity) {
  const bool full = opacity == 1.0;
  const auto one = [&](std::int64_t i) {
    if (keepsDestination(in[i], out[i])) return;
    out[i] = full ? overFull(in[i], out[i]) : referenceOver(in[i], out[i], opacity);
  };
  const auto ontoOpaque = [](const Pixel* from, Pixel* to) {
#if defined(AEHOST_WIDE_BLOCKS)
    if constexpr (kWide) return overOntoOpaqueBlockWide(from, to);
#endif
    return overOntoOpaqueBlock(from, to);
  };
  std::int64_t i = 0;
  for (; i + kBlock <= n; i += kBlock) {
    prefetchAhead(in + i);
    prefetchAhead(out + i);
    if (blockKeepsDestination(in + i, out + i)) continue;
    if (full && overOpaqueBlock(in + i, out + i)) continue;  // the opaque inside of a stroke
    if (full && ontoOpaque(in + i, out + i)) continue;
    for (std::int64_t k = i; k < i + kBlock; ++k) one(k);
  }
  for (; i < n; ++i) one(i);
}

template <typename Pixel>
void overRowBaseline(const Pixel* in, Pixel* out, std::int64_t n, double opacity) {
  overRowWith<false>(in, out, n, opacity);
}

#if defined(AEHOST_WIDE_BLOCKS)
template <typename Pixel>
AEHOST_AVX2 void overRowWide(const Pixel* in, Pixel* out, std::int64_t n, double opacity) {
  overRowWith<true>(in, out, n, opacity);
}
#endif

// Whether overRowWide runs here.
inline bool processorRunsWideBlocks() {
#if defined(AEHOST_WIDE_BLOCKS)
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

template <typename Pixel>
void overRow(const Pixel* in, Pixel* out, std::int64_t n, double opacity, bool wide) {
#if defined(AEHOST_WIDE_BLOCKS)
  if (wide) return overRowWide(in, out, n, opacity);
#endif
  (void)wide;
  overRowBaseline(in, out, n, opacity);
}

}  // namespace aehost::compositing
