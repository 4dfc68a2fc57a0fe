// transfer_rect's same-format IN_FRONT shortcuts (host/src/Compositing_p.h) against the
// double-precision reference formula: integer arithmetic for 8 and 16 bits, transparent
// source pixels passed over, opaque float sources copied. Every stored pixel must be the
// reference's, bit for bit, including NaN, infinities, -0 and out-of-range values.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Compositing_p.h"
#include "aehost/PixelFormats.h"
#include "aehost/WorldOps.h"

namespace {

using aehost::compositing::integerOverFull;
using aehost::compositing::referenceOver;

template <typename Pixel>
bool sameBits(const Pixel& a, const Pixel& b) {
  return std::memcmp(&a, &b, sizeof(Pixel)) == 0;
}

template <typename Pixel>
std::string describe(const Pixel& p) {
  std::ostringstream out;
  out << "{" << +p.alpha << ", " << +p.red << ", " << +p.green << ", " << +p.blue << "}";
  return out.str();
}

// A world over pixels the test owns, rows without padding.
template <typename Pixel>
struct OwnedWorld {
  std::vector<Pixel> pixels;
  PF_EffectWorld world{};
  OwnedWorld(std::vector<Pixel> p, A_long width) : pixels(std::move(p)) {
    world.width = width;
    world.height = static_cast<A_long>(pixels.size() / static_cast<std::size_t>(width));
    world.rowbytes = static_cast<A_long>(width * sizeof(Pixel));
    world.data = reinterpret_cast<PF_PixelPtr>(pixels.data());
  }
};

// Rows of n pixels composited by one of the host's two builds of overRow (see
// Compositing_p.h): the x86-64 baseline's, and the AVX2 one where the processor has it.
template <typename Pixel>
using RowCompositor = void (*)(const Pixel*, Pixel*, std::int64_t, double);
template <typename Pixel>
std::vector<std::pair<const char*, RowCompositor<Pixel>>> rowCompositors() {
  std::vector<std::pair<const char*, RowCompositor<Pixel>>> all{{"baseline", &aehost::compositing::overRowBaseline<Pixel>}};
#if defined(AEHOST_WIDE_BLOCKS)
  if (aehost::compositing::processorRunsWideBlocks()) all.emplace_back("AVX2", &aehost::compositing::overRowWide<Pixel>);
#endif
  return all;
}

// d with s composited over it by `overRow`, rows of `width` pixels one call each.
template <typename Pixel>
std::vector<Pixel> compositedByRows(RowCompositor<Pixel> overRow, const std::vector<Pixel>& s, std::vector<Pixel> d,
                                    std::size_t width, double opacity) {
  for (std::size_t row = 0; row < d.size(); row += width) {
    overRow(s.data() + row, d.data() + row, static_cast<std::int64_t>(width), opacity);
  }
  return d;
}

// Source pixels over destination pixels through transferWorld (same format, IN_FRONT, one
// world each, 509 pixels a row so rows end mid-block), and through each build of overRow row
// by row, each stored pixel compared with referenceOver of the same two pixels.
template <typename Pixel>
void expectReferenceResults(std::vector<Pixel> s, std::vector<Pixel> d, double opacity) {
  ASSERT_EQ(s.size(), d.size());
  constexpr A_long kWidth = 509;
  const std::size_t padded = (s.size() + kWidth - 1) / kWidth * kWidth;
  s.resize(padded, Pixel{});
  d.resize(padded, Pixel{});
  const auto expectReference = [&](const std::vector<Pixel>& stored, const char* how) {
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i < padded; ++i) {
      const Pixel expected = referenceOver(s[i], d[i], opacity);
      if (sameBits(stored[i], expected)) continue;
      if (++mismatches <= 5) {
        ADD_FAILURE() << how << ": " << describe(s[i]) << " over " << describe(d[i]) << " at opacity " << opacity
                      << ": got " << describe(stored[i]) << ", the reference stores " << describe(expected);
      }
    }
    EXPECT_EQ(mismatches, 0u) << how << ", of " << padded << " pixels";
  };
  const OwnedWorld<Pixel> src(s, kWidth);
  OwnedWorld<Pixel> dst(d, kWidth);
  aehost::transferWorld(src.world, aehost::formatOf<Pixel>(), nullptr, dst.world, aehost::formatOf<Pixel>(), 0, 0,
                        aehost::TransferMode::InFront, opacity);
  expectReference(dst.pixels, "transferWorld");
  for (const auto& [name, overRow] : rowCompositors<Pixel>()) expectReference(compositedByRows(overRow, s, d, kWidth, opacity), name);
}

// ---- 8 bits ----

// The integer formula's own contract: at an exact half nothing (the caller asks the
// reference), otherwise exactly the reference.
void expectIntegerContract8(const PF_Pixel8& s, const PF_Pixel8& d, std::size_t& halves) {
  const auto fast = integerOverFull(s, d);
  const std::uint32_t S = s.alpha, D = d.alpha, q = 255 * S + D * (255 - S);
  bool half = false;
  if (S != 255 && D != 0) {
    for (const auto [sc, dc] : {std::array<std::uint32_t, 2>{s.red, d.red}, {s.green, d.green}, {s.blue, d.blue}}) {
      half |= (2 * (sc * S * 255 + dc * D * (255 - S)) + q) % (2 * q) == 0;
    }
  }
  if (half) {
    ++halves;
    EXPECT_FALSE(fast.has_value()) << describe(s) << " over " << describe(d);
  } else {
    ASSERT_TRUE(fast.has_value()) << describe(s) << " over " << describe(d);
    EXPECT_TRUE(sameBits(*fast, referenceOver(s, d, 1.0))) << describe(s) << " over " << describe(d);
  }
}

TEST(HostCompositing, EightBitExactHalvesAreTheReferences) {
  // S = 2, D = 6, sc = 0, dc = 169: P / Q = 256542 / 2028 = 126.5 exactly, which the double
  // formula lands just below (stores 126) where rounding half up would give 127.
  const PF_Pixel8 s{2, 0, 0, 0}, d{6, 169, 0, 0};
  EXPECT_FALSE(integerOverFull(s, d).has_value());
  EXPECT_EQ(referenceOver(s, d, 1.0).red, 126);
  expectReferenceResults(std::vector<PF_Pixel8>(9, s), std::vector<PF_Pixel8>(9, d), 1.0);
}

TEST(HostCompositing, EightBitEveryAlphaPairWithEdgeColours) {
  // All 65536 (S, D) with every pair of colours from {0, 1, 254, 255}: 16 pairs, 3 a pixel.
  constexpr std::array<A_u_char, 4> edges{0, 1, 254, 255};
  std::vector<PF_Pixel8> s, d;
  for (unsigned sa = 0; sa < 256; ++sa) {
    for (unsigned da = 0; da < 256; ++da) {
      for (unsigned k = 0; k < 16; k += 3) {
        const auto sc = [&](unsigned j) { return edges[std::min(k + j, 15u) / 4]; };
        const auto dc = [&](unsigned j) { return edges[std::min(k + j, 15u) % 4]; };
        s.push_back(PF_Pixel8{static_cast<A_u_char>(sa), sc(0), sc(1), sc(2)});
        d.push_back(PF_Pixel8{static_cast<A_u_char>(da), dc(0), dc(1), dc(2)});
      }
    }
  }
  std::size_t halves = 0;
  for (std::size_t i = 0; i < s.size(); ++i) expectIntegerContract8(s[i], d[i], halves);
  expectReferenceResults(s, d, 1.0);
  expectReferenceResults(s, d, 128 / 255.0);
}

TEST(HostCompositing, EightBitEveryAlphaPairWithRandomColours) {
  // All 65536 (S, D), six random (sc, dc) pairs each: about 400 000 combinations.
  std::mt19937 random(8);
  std::uniform_int_distribution<unsigned> channel(0, 255);
  const auto c = [&] { return static_cast<A_u_char>(channel(random)); };
  std::vector<PF_Pixel8> s, d;
  for (unsigned sa = 0; sa < 256; ++sa) {
    for (unsigned da = 0; da < 256; ++da) {
      for (int k = 0; k < 2; ++k) {
        s.push_back(PF_Pixel8{static_cast<A_u_char>(sa), c(), c(), c()});
        d.push_back(PF_Pixel8{static_cast<A_u_char>(da), c(), c(), c()});
      }
    }
  }
  std::size_t halves = 0;
  for (std::size_t i = 0; i < s.size(); ++i) expectIntegerContract8(s[i], d[i], halves);
  EXPECT_GT(halves, 0u);  // the fallback is reached
  expectReferenceResults(s, d, 1.0);
}

TEST(HostCompositing, EightBitRandomSweep) {
  // Two million random pixel pairs (six million channel combinations); a third of the source
  // pixels transparent and some destinations too, so blocks mix passed-over and composited
  // pixels.
  std::mt19937 random(88);
  std::uniform_int_distribution<unsigned> channel(0, 255), pick(0, 8);
  const auto c = [&] { return static_cast<A_u_char>(channel(random)); };
  const auto alpha = [&] {
    const unsigned k = pick(random);
    return k < 3 ? A_u_char{0} : k == 3 ? A_u_char{255} : c();
  };
  std::vector<PF_Pixel8> s, d;
  for (int i = 0; i < 2'000'000; ++i) {
    s.push_back(PF_Pixel8{alpha(), c(), c(), c()});
    d.push_back(PF_Pixel8{pick(random) == 0 ? A_u_char{0} : c(), c(), c(), c()});
  }
  std::size_t halves = 0;
  for (std::size_t i = 0; i < s.size(); i += 4) expectIntegerContract8(s[i], d[i], halves);
  expectReferenceResults(s, d, 1.0);
}

TEST(HostCompositing, EightBitOntoOpaqueEveryAlphaAndColourPair) {
  // Every (S, sc, dc) over opaque destinations, three colour pairs a pixel: whole blocks of
  // opaque destinations, composited eight at a time.
  for (unsigned sa = 0; sa < 256; ++sa) {
    std::vector<PF_Pixel8> s, d;
    for (unsigned pair = 0; pair < 65536; pair += 3) {
      const auto sc = [&](unsigned j) { return static_cast<A_u_char>(std::min(pair + j, 65535u) >> 8); };
      const auto dc = [&](unsigned j) { return static_cast<A_u_char>(std::min(pair + j, 65535u) & 0xFF); };
      s.push_back(PF_Pixel8{static_cast<A_u_char>(sa), sc(0), sc(1), sc(2)});
      d.push_back(PF_Pixel8{255, dc(0), dc(1), dc(2)});
    }
    expectReferenceResults(s, d, 1.0);
    if (HasFailure()) return;
  }
}

// ---- 16 bits ----

constexpr std::array<A_u_short, 14> kEdges16{0, 1, 2, 127, 16383, 16384, 16385, 32766, 32767, 32768, 32769, 40000, 65534, 65535};

TEST(HostCompositing, SixteenBitEdgeValues) {
  // Every pair of edge alphas with every pair of edge colours, three pairs a pixel.
  std::vector<PF_Pixel16> s, d;
  constexpr unsigned n = kEdges16.size();
  for (A_u_short sa : kEdges16) {
    for (A_u_short da : kEdges16) {
      for (unsigned k = 0; k < n * n; k += 3) {
        const auto sc = [&](unsigned j) { return kEdges16[std::min(k + j, n * n - 1) / n]; };
        const auto dc = [&](unsigned j) { return kEdges16[std::min(k + j, n * n - 1) % n]; };
        s.push_back(PF_Pixel16{sa, sc(0), sc(1), sc(2)});
        d.push_back(PF_Pixel16{da, dc(0), dc(1), dc(2)});
      }
    }
  }
  for (std::size_t i = 0; i < s.size(); ++i) {
    ASSERT_TRUE(sameBits(integerOverFull(s[i], d[i]), referenceOver(s[i], d[i], 1.0)))
        << describe(s[i]) << " over " << describe(d[i]);
  }
  expectReferenceResults(s, d, 1.0);
  expectReferenceResults(s, d, 0.5);
}

// Random 16-bit channel values: one in ten an edge value, one in ten anywhere (above 32768
// too, which the formula clamps), the rest in range.
class Random16 {
public:
  explicit Random16(unsigned seed) : random_(seed) {}
  // 0 … 9, evenly
  unsigned tenth() { return pick_(random_); }
  A_u_short any() { return static_cast<A_u_short>(full_(random_)); }
  A_u_short value() {
    const unsigned k = tenth();
    return k == 0 ? kEdges16[any() % kEdges16.size()] : k == 1 ? any() : static_cast<A_u_short>(inRange_(random_));
  }

private:
  std::mt19937 random_;
  std::uniform_int_distribution<unsigned> full_{0, 65535}, inRange_{0, 32768}, pick_{0, 9};
};

TEST(HostCompositing, SixteenBitRandomSweep) {
  // Every alpha pair on a coarse grid with random colours, then two million random pixel
  // pairs; values above 32768 (clamped by the formula) in all four channels.
  Random16 random(16);
  const auto value = [&] { return random.value(); };
  const auto alpha = [&] { return random.tenth() < 3 ? A_u_short{0} : value(); };
  std::vector<PF_Pixel16> s, d;
  for (unsigned sa = 0; sa <= 65535; sa += 257) {
    for (unsigned da = 0; da <= 65535; da += 129) {
      s.push_back(PF_Pixel16{static_cast<A_u_short>(sa), value(), value(), value()});
      d.push_back(PF_Pixel16{static_cast<A_u_short>(da), value(), value(), value()});
    }
  }
  for (int i = 0; i < 2'000'000; ++i) {
    s.push_back(PF_Pixel16{alpha(), value(), value(), value()});
    d.push_back(PF_Pixel16{random.tenth() == 0 ? A_u_short{0} : value(), value(), value(), value()});
  }
  for (std::size_t i = 0; i < s.size(); i += 4) {
    ASSERT_TRUE(sameBits(integerOverFull(s[i], d[i]), referenceOver(s[i], d[i], 1.0)))
        << describe(s[i]) << " over " << describe(d[i]);
  }
  expectReferenceResults(s, d, 1.0);
  std::vector<PF_Pixel16> fewS(s.begin(), s.begin() + 200'000), fewD(d.begin(), d.begin() + 200'000);
  expectReferenceResults(fewS, fewD, 12345 / 32768.0);
}

TEST(HostCompositing, SixteenBitOntoOpaque) {
  // Destinations of alpha 32768 and above (stored as 32768 after clamping) in whole blocks:
  // every pair of edge values as source alpha and colours, then a million random pixels with
  // a few channels above 32768.
  Random16 random(1616);
  const auto value = [&] { return random.value(); };
  const auto opaque = [&] { return static_cast<A_u_short>(random.tenth() == 0 ? 32768 + random.any() % 32768 : 32768); };
  std::vector<PF_Pixel16> s, d;
  for (A_u_short sa : kEdges16) {
    for (A_u_short sc : kEdges16) {
      for (A_u_short dc : kEdges16) {
        s.push_back(PF_Pixel16{sa, sc, dc, sc});
        d.push_back(PF_Pixel16{opaque(), dc, sc, value()});
      }
    }
  }
  for (int i = 0; i < 1'000'000; ++i) {
    s.push_back(PF_Pixel16{random.tenth() < 2 ? A_u_short{0} : value(), value(), value(), value()});
    d.push_back(PF_Pixel16{opaque(), value(), value(), value()});
  }
  expectReferenceResults(s, d, 1.0);
}

// ---- float ----

std::vector<float> specialFloats() {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  return {0.0f,  -0.0f, 1.0f,  0.5f, 0.25f, 1.0f + 1e-7f, 2.0f, -0.5f, -1.0f, nan, -nan, inf, -inf,
          std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::denorm_min(),
          std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(), 1e-30f, 0.999999f};
}

TEST(HostCompositing, FloatSpecialValues) {
  // Every source alpha, destination alpha, source colour and destination colour from the
  // special values (in red; green and blue ordinary or special at random), so the
  // passed-over and opaque cases meet NaN, infinities, -0, negative and > 1 values.
  const std::vector<float> v = specialFloats();
  std::mt19937 random(32);
  std::uniform_int_distribution<std::size_t> any(0, v.size() - 1);
  std::uniform_real_distribution<float> ordinary(0.0f, 1.0f);
  const auto other = [&] { return random() % 4 == 0 ? v[any(random)] : ordinary(random); };
  std::vector<PF_PixelFloat> s, d;
  for (float sa : v) {
    for (float da : v) {
      for (float sc : v) {
        for (float dc : v) {
          s.push_back(PF_PixelFloat{sa, sc, other(), other()});
          d.push_back(PF_PixelFloat{da, dc, other(), other()});
        }
      }
    }
  }
  expectReferenceResults(s, d, 1.0);
  expectReferenceResults(s, d, 0.5);
  expectReferenceResults(s, d, 0.0);
}

// Random float channels: special values, now and then, among ordinary ones in 0 … 1.
class RandomFloats {
public:
  explicit RandomFloats(unsigned seed) : random_(seed) {}
  // 0 … 99, evenly
  unsigned percent() { return percent_(random_); }
  float ordinary() { return ordinary_(random_); }
  float special() { return special_[any_(random_)]; }
  // A special value in `specialPercent` of a hundred, else an ordinary one.
  float value(unsigned specialPercent) { return percent() < specialPercent ? special() : ordinary(); }

private:
  std::mt19937 random_;
  std::vector<float> special_ = specialFloats();
  std::uniform_int_distribution<std::size_t> any_{0, special_.size() - 1};
  std::uniform_int_distribution<unsigned> percent_{0, 99};
  std::uniform_real_distribution<float> ordinary_{0.0f, 1.0f};
};

TEST(HostCompositing, FloatRandomSweep) {
  // A million pixel pairs: mostly the cleared and ordinary pixels of a stroke, with special
  // values sprinkled through so blocks of eight mix every case.
  RandomFloats random(3232);
  const auto value = [&] { return random.value(3); };
  std::vector<PF_PixelFloat> s, d;
  for (int i = 0; i < 1'000'000; ++i) {
    const unsigned kind = random.percent();
    if (kind < 40) s.push_back(PF_PixelFloat{});
    else if (kind < 60) s.push_back(PF_PixelFloat{1.0f, value(), value(), value()});
    else s.push_back(PF_PixelFloat{value(), value(), value(), value()});
    d.push_back(PF_PixelFloat{random.percent() < 90 ? 1.0f : value(), value(), value(), value()});
  }
  expectReferenceResults(s, d, 1.0);
}

TEST(HostCompositing, FloatOntoOpaque) {
  // Destinations of alpha 1 and above (1 after clamping) in whole blocks, under sources of
  // every special value in every channel, of alphas under 2^-30 (where 1 - sa is rounded),
  // and of ordinary values; a NaN destination alpha in a block sends it the long way.
  RandomFloats random(4096);
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const std::array<float, 4> opaqueAlphas{1.0f, 1.0f + 1e-7f, 2.0f, inf};
  const auto opaque = [&] { return opaqueAlphas[random.percent() % 4]; };
  const auto value = [&] { return random.value(5); };
  const auto alpha = [&] {
    const unsigned kind = random.percent();
    if (kind < 10) return std::ldexp(random.ordinary(), -30 - static_cast<int>(random.percent()));
    return random.value(kind < 30 ? 100 : 0);
  };
  std::vector<PF_PixelFloat> s, d;
  for (float channel : specialFloats()) {
    for (int place = 0; place < 4; ++place) {
      PF_PixelFloat source{0.5f, 0.25f, 0.75f, 1.0f};
      PF_FpShort* channels[] = {&source.alpha, &source.red, &source.green, &source.blue};
      *channels[place] = channel;
      for (float dc : specialFloats()) {
        s.push_back(source);
        d.push_back(PF_PixelFloat{opaque(), dc, value(), value()});
      }
    }
  }
  for (int i = 0; i < 500'000; ++i) {
    s.push_back(PF_PixelFloat{alpha(), value(), value(), value()});
    d.push_back(PF_PixelFloat{i % 1000 == 0 ? nan : opaque(), value(), value(), value()});
  }
  expectReferenceResults(s, d, 1.0);
}

// ---- One odd pixel among pixels that keep the destination ----

// Blocks of eight pixel pairs that all keep the destination (transparent source over an
// ordinary destination), then each channel of one of them set to each value, at each place
// in the block: the blockwise check must let exactly the reference's results through.
template <typename Pixel, typename Channel>
void expectOddPixelsHandled(const std::vector<Pixel>& keptSources, const Pixel& keptDest, const std::vector<Channel>& values) {
  std::vector<Pixel> s, d;
  for (int channel = 0; channel < 8; ++channel) {
    for (Channel value : values) {
      for (int place = 0; place < 8; ++place) {
        for (int k = 0; k < 8; ++k) {
          Pixel source = keptSources[static_cast<std::size_t>(k) % keptSources.size()], dest = keptDest;
          if (k == place) {
            Pixel& p = channel < 4 ? source : dest;
            Channel* channels[] = {&p.alpha, &p.red, &p.green, &p.blue};
            *channels[channel % 4] = value;
          }
          s.push_back(source);
          d.push_back(dest);
        }
      }
    }
  }
  // 504 pixels a row keeps the blocks of eight aligned with the rows.
  constexpr A_long kWidth = 504;
  s.resize((s.size() + kWidth - 1) / kWidth * kWidth, keptSources[0]);
  d.resize(s.size(), keptDest);
  const OwnedWorld<Pixel> src(s, kWidth);
  OwnedWorld<Pixel> dst(d, kWidth);
  aehost::transferWorld(src.world, aehost::formatOf<Pixel>(), nullptr, dst.world, aehost::formatOf<Pixel>(), 0, 0,
                        aehost::TransferMode::InFront, 1.0);
  for (std::size_t i = 0; i < s.size(); ++i) {
    ASSERT_TRUE(sameBits(dst.pixels[i], referenceOver(s[i], d[i], 1.0))) << describe(s[i]) << " over " << describe(d[i]);
  }
  for (const auto& [name, overRow] : rowCompositors<Pixel>()) {
    const std::vector<Pixel> stored = compositedByRows(overRow, s, d, kWidth, 1.0);
    for (std::size_t i = 0; i < s.size(); ++i) {
      ASSERT_TRUE(sameBits(stored[i], referenceOver(s[i], d[i], 1.0))) << name << ": " << describe(s[i]) << " over "
                                                                      << describe(d[i]);
    }
  }
}

TEST(HostCompositing, OddPixelAmongKeptOnesEightBit) {
  expectOddPixelsHandled<PF_Pixel8, A_u_char>({PF_Pixel8{0, 0, 0, 0}, PF_Pixel8{0, 200, 100, 7}}, PF_Pixel8{255, 10, 20, 30},
                                              {0, 1, 127, 254, 255});
}

TEST(HostCompositing, OddPixelAmongKeptOnesSixteenBit) {
  expectOddPixelsHandled<PF_Pixel16, A_u_short>({PF_Pixel16{0, 0, 0, 0}, PF_Pixel16{0, 30000, 100, 7}},
                                                PF_Pixel16{20000, 10, 20, 32768},
                                                std::vector<A_u_short>(kEdges16.begin(), kEdges16.end()));
}

TEST(HostCompositing, OddPixelAmongKeptOnesFloat) {
  // Cleared (all zero bits) and non-zero transparent sources.
  expectOddPixelsHandled<PF_PixelFloat, float>({PF_PixelFloat{}, PF_PixelFloat{-0.0f, 0.3f, -2.0f, 5.0f}},
                                               PF_PixelFloat{0.5f, 0.2f, -0.4f, 1.5f}, specialFloats());
}

// Opaque sources replace the destination a block at a time: an odd pixel among them must
// still get the reference's result.
TEST(HostCompositing, OddPixelAmongOpaqueOnesEightBit) {
  expectOddPixelsHandled<PF_Pixel8, A_u_char>({PF_Pixel8{255, 0, 0, 0}, PF_Pixel8{255, 200, 100, 7}},
                                              PF_Pixel8{128, 10, 20, 30}, {0, 1, 127, 254, 255});
}

TEST(HostCompositing, OddPixelAmongOpaqueOnesSixteenBit) {
  expectOddPixelsHandled<PF_Pixel16, A_u_short>({PF_Pixel16{32768, 0, 0, 0}, PF_Pixel16{32768, 30000, 100, 32768}},
                                                PF_Pixel16{20000, 10, 20, 32768},
                                                std::vector<A_u_short>(kEdges16.begin(), kEdges16.end()));
}

TEST(HostCompositing, OddPixelAmongOpaqueOnesFloat) {
  // Alpha 1 and above, which the opaque shortcut stores as 1.
  expectOddPixelsHandled<PF_PixelFloat, float>({PF_PixelFloat{1.0f, 0.0f, 0.0f, 0.0f}, PF_PixelFloat{3.0f, 0.3f, -2.0f, 5.0f}},
                                               PF_PixelFloat{0.5f, 0.2f, -0.4f, 1.5f}, specialFloats());
}

// ---- Placement: rects, clipping, and a world onto itself ----

TEST(HostCompositing, RectsAndOverlapMatchTheReferencePixelByPixel) {
  std::mt19937 random(5);
  const auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  std::uniform_int_distribution<unsigned> channel(0, 255);
  for (int round = 0; round < 300; ++round) {
    const A_long w = in(1, 40), h = in(1, 6);
    std::vector<PF_Pixel8> a(static_cast<std::size_t>(w * h)), b(a.size());
    for (auto* pixels : {&a, &b}) {
      for (PF_Pixel8& p : *pixels) {
        p = PF_Pixel8{static_cast<A_u_char>(channel(random) < 128 ? 0 : channel(random)), static_cast<A_u_char>(channel(random)),
                      static_cast<A_u_char>(channel(random)), static_cast<A_u_char>(channel(random))};
      }
    }
    OwnedWorld<PF_Pixel8> first(a, w), second(b, w);
    const bool ontoItself = round % 2 == 0;
    OwnedWorld<PF_Pixel8>& dst = ontoItself ? first : second;
    const std::vector<PF_Pixel8> source = first.pixels, before = dst.pixels;
    const PF_LRect rect{in(-3, w), in(-2, h), 0, 0};
    const PF_LRect srcRect{rect.left, rect.top, rect.left + in(0, w + 3), rect.top + in(0, h + 2)};
    const A_long destX = in(-w, w), destY = in(-h, h);
    aehost::transferWorld(first.world, PF_PixelFormat_ARGB32, &srcRect, dst.world, PF_PixelFormat_ARGB32, destX, destY,
                          aehost::TransferMode::InFront, 1.0);
    std::vector<PF_Pixel8> expected = before;
    for (A_long y = std::max<A_long>(srcRect.top, 0); y < std::min(srcRect.bottom, h); ++y) {
      for (A_long x = std::max<A_long>(srcRect.left, 0); x < std::min(srcRect.right, w); ++x) {
        const A_long tx = destX + x - srcRect.left, ty = destY + y - srcRect.top;
        if (tx < 0 || tx >= w || ty < 0 || ty >= h) continue;
        const auto at = static_cast<std::size_t>(ty * w + tx);
        expected[at] = referenceOver(source[static_cast<std::size_t>(y * w + x)], before[at], 1.0);
      }
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
      ASSERT_TRUE(sameBits(dst.pixels[i], expected[i])) << "round " << round << ", pixel " << i;
    }
  }
}

}  // namespace
