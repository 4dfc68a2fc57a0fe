// Edge coverage from the table, and the stamp blend.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "pixel/BlendStampPixel.h"
#include "raster/EdgeCoverage.h"
#include "raster/StampDisc.h"
#include "support/RenderTestCanvas.h"

namespace {

DiscRadius radiusOf(double r) { return DiscRadius::of(r); }

// A transcription slip in the table would show as a bump in a row: every row falls from full
// coverage deep inside to none outside, and row 0 is empty.
TEST(DiscEdgeCoverageTable, RowsFallFromFullToNothing) {
  for (const auto coverage : DiscEdgeCoverageTable[0]) EXPECT_EQ(coverage, 0);
  for (std::size_t row = 1; row < DiscEdgeCoverageTable.size(); ++row) {
    EXPECT_EQ(DiscEdgeCoverageTable[row][0], 255) << "row " << row;
    EXPECT_EQ(DiscEdgeCoverageTable[row][31], 0) << "row " << row;
    for (std::size_t k = 1; k < 32; ++k) {
      EXPECT_LE(DiscEdgeCoverageTable[row][k], DiscEdgeCoverageTable[row][k - 1]) << "row " << row << ", k " << k;
    }
  }
  EXPECT_EQ(DiscEdgeCoverageTable[1][12], 163);
  EXPECT_EQ(DiscEdgeCoverageTable[11][16], 127);
  EXPECT_EQ(DiscEdgeCoverageTable[5][19], 80);
  EXPECT_EQ(DiscEdgeCoverageTable[8][29], 3);
}

TEST(EdgeCoverage, EachColumnIsReachedAroundItsDistance) {
  for (int row = 1; row <= 11; ++row) {
    const DiscRadius whole{row, 0.0, row + 1};
    for (int k = 0; k < 32; ++k) {
      // f = k/16 − 1 rounds to column k, and so does anything within a half column of it.
      for (const double offset : {0.0, -0.49, 0.49}) {
        const double f = (k + offset) / 16.0 - 1.0;
        EXPECT_EQ(EdgeCoverage(whole, f), DiscEdgeCoverageTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(k)])
            << "row " << row << ", k " << k << ", offset " << offset;
      }
    }
  }
}

TEST(EdgeCoverage, HalfPixelDiscCentredOnAPixel) {
  // f = (0 − 0.25) / 1 = −0.25, column 12; rows 0 (empty) and 1 (163) half and half.
  const double f = discEdgeDistance(0.0, 0.0, 0.5);
  EXPECT_EQ(f, -0.25);
  EXPECT_EQ(EdgeCoverage(radiusOf(0.5), f), 82);
}

TEST(EdgeCoverage, RadiusElevenPointSevenReadsRowElevenOnly) {
  const DiscRadius radius = radiusOf(11.7);
  EXPECT_EQ(radius.whole, 11);
  EXPECT_EQ(radius.wholePlusOne, 12);
  EXPECT_NEAR(radius.fraction, 0.7, 1e-12);
  for (int k = 0; k < 32; ++k) {
    EXPECT_EQ(EdgeCoverage(radius, k / 16.0 - 1.0), DiscEdgeCoverageTable[11][static_cast<std::size_t>(k)]) << k;
  }
}

TEST(EdgeCoverage, BlendsTwoRowsByTheFraction) {
  const DiscRadius radius = radiusOf(3.25);
  for (int k = 0; k < 32; ++k) {
    const auto a = DiscEdgeCoverageTable[3][static_cast<std::size_t>(k)];
    const auto b = DiscEdgeCoverageTable[4][static_cast<std::size_t>(k)];
    EXPECT_EQ(EdgeCoverage(radius, k / 16.0 - 1.0), static_cast<int>(0.75 * a + 0.25 * b + 0.5)) << k;
  }
}

TEST(EdgeCoverage, FarDistancesAndNaNClamp) {
  const DiscRadius radius = radiusOf(6.0);
  EXPECT_EQ(EdgeCoverage(radius, -1e9), 255);
  EXPECT_EQ(EdgeCoverage(radius, -std::numeric_limits<double>::infinity()), 255);
  EXPECT_EQ(EdgeCoverage(radius, 0.97), 0);
  EXPECT_EQ(EdgeCoverage(radius, 1e9), 0);
  EXPECT_EQ(EdgeCoverage(radius, std::numeric_limits<double>::infinity()), 0);
  EXPECT_EQ(EdgeCoverage(radius, std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(EdgeCoverage(DiscRadius{-4, 0.0, -3}, -0.5), 0);  // rows clamp to 0
  EXPECT_EQ(EdgeCoverage(DiscRadius{3, std::numeric_limits<double>::quiet_NaN(), 4}, -0.5), 0);
}

template <class Pixel>
class BlendTest : public ::testing::Test {};
TYPED_TEST_SUITE(BlendTest, RenderPixelTypes, RenderPixelTypeNames);

TYPED_TEST(BlendTest, TransparentSourceChangesNothing) {
  using Pixel = TypeParam;
  Pixel dst = pixelOf<Pixel>(0.5, 0.1, 0.2, 0.3);
  BlendStampPixel(dst, pixelOf<Pixel>(0.0, 1.0, 1.0, 1.0));
  EXPECT_PRED2(samePixel<Pixel>, dst, pixelOf<Pixel>(0.5, 0.1, 0.2, 0.3));
}

TYPED_TEST(BlendTest, TransparentDestinationTakesTheStamp) {
  using Pixel = TypeParam;
  Pixel dst = pixelOf<Pixel>(0.0, 0.9, 0.9, 0.9);
  const Pixel src = pixelOf<Pixel>(0.3, 0.1, 0.2, 0.3);
  BlendStampPixel(dst, src);
  EXPECT_PRED2(samePixel<Pixel>, dst, src);
}

TYPED_TEST(BlendTest, OpaqueStampReplaces) {
  using Pixel = TypeParam;
  Pixel dst = pixelOf<Pixel>(0.7, 0.9, 0.9, 0.9);
  const Pixel src = pixelOf<Pixel>(1.0, 0.1, 0.2, 0.3);
  BlendStampPixel(dst, src);
  EXPECT_PRED2(samePixel<Pixel>, dst, src);
}

// Overlapping stamps of one stroke must not build up: the same colour only raises alpha to the
// larger of the two.
TYPED_TEST(BlendTest, SameColourKeepsTheLargerAlpha) {
  using Pixel = TypeParam;
  Pixel dst = pixelOf<Pixel>(150 / 255.0, 0.2, 0.4, 0.6);
  const Pixel weaker = pixelOf<Pixel>(100 / 255.0, 0.2, 0.4, 0.6);
  BlendStampPixel(dst, weaker);
  BlendStampPixel(dst, weaker);
  EXPECT_PRED2(samePixel<Pixel>, dst, pixelOf<Pixel>(150 / 255.0, 0.2, 0.4, 0.6));

  const Pixel stronger = pixelOf<Pixel>(200 / 255.0, 0.2, 0.4, 0.6);
  BlendStampPixel(dst, stronger);
  EXPECT_PRED2(samePixel<Pixel>, dst, stronger);
}

TYPED_TEST(BlendTest, DifferentColourMixesAndKeepsTheLargerAlpha) {
  using Pixel = TypeParam;
  Pixel dst = pixelOf<Pixel>(0.25, 0.0, 0.0, 1.0);
  BlendStampPixel(dst, pixelOf<Pixel>(0.5, 1.0, 0.0, 0.0));
  // The alpha written is max(da, sa), not sa + w.
  EXPECT_EQ(dst.alpha, channelOf<Pixel>(0.5));
  // Red from the source, blue from the destination, in the weights sa : w.
  EXPECT_GT(dst.red, dst.blue);
  EXPECT_GT(dst.blue, 0);
  EXPECT_EQ(dst.green, 0);
}

TEST(Blend, EightBitHalfRedOverOpaqueBlack) {
  // w = (127 · 255) >> 8 = 126, A = 254, red = (255 · 128 + 0) / 254 = 128
  PF_Pixel8 dst{255, 0, 0, 0};
  BlendStampPixel(dst, PF_Pixel8{128, 255, 0, 0});
  EXPECT_PRED2(samePixel<PF_Pixel8>, dst, (PF_Pixel8{255, 128, 0, 0}));
}

// The weight divides by 256, not 255: red (0 + 255 · 126) / 254 = 126, where / 255 would give
// w = 127 and red 127.
TEST(Blend, EightBitWeightShiftsByEight) {
  PF_Pixel8 dst{255, 255, 0, 0};
  BlendStampPixel(dst, PF_Pixel8{128, 0, 0, 0});
  EXPECT_PRED2(samePixel<PF_Pixel8>, dst, (PF_Pixel8{255, 126, 0, 0}));
}

TEST(Blend, SixteenBitUsesFullOf32768) {
  // w = ((32768 − 16384) · 32768) >> 15 = 16384, A = 32768, red = 32768 · 16384 / 32768
  PF_Pixel16 dst{32768, 0, 0, 0};
  BlendStampPixel(dst, PF_Pixel16{16384, 32768, 0, 0});
  EXPECT_PRED2(samePixel<PF_Pixel16>, dst, (PF_Pixel16{32768, 16384, 0, 0}));

  // 32767 is not full: it blends, where 32768 replaces.
  PF_Pixel16 almost{32768, 0, 0, 0};
  BlendStampPixel(almost, PF_Pixel16{32767, 32768, 0, 0});
  // w = ((32768 − 32767) · 32768) >> 15 = 1, A = 32768, red = (32768 · 32767 + 0 · 1) / 32768
  EXPECT_EQ(almost.red, 32767);
  EXPECT_EQ(almost.alpha, 32768);
}

TEST(Blend, FloatIsNotQuantised) {
  PF_PixelFloat dst{1.0f, 0.0f, 0.0f, 0.0f};
  BlendStampPixel(dst, PF_PixelFloat{0.5f, 1.0f, 0.0f, 0.0f});
  EXPECT_EQ(dst.red, 0.5f);
  EXPECT_EQ(dst.alpha, 1.0f);

  PF_PixelFloat faint{0.2f, 0.0f, 1.0f, 0.0f};
  BlendStampPixel(faint, PF_PixelFloat{0.3f, 1.0f, 0.0f, 0.0f});
  // w = 0.7 · 0.2 = 0.14, A = 0.44, red = 0.3 / 0.44 = 15/22, rounded to float
  EXPECT_EQ(faint.red, 0.681818187f);
  EXPECT_EQ(faint.alpha, 0.3f);
}

// Float channels above full (malformed input) can make A = sa + (1 − sa) · da zero or negative;
// the stamp then replaces the pixel instead of dividing by it (which gave inf and NaN colours).
// Integer channels cannot get there: 16-bit alphas stop at 65535, where A stays positive.
TEST(Blend, FloatAlphaAboveFullReplacesInsteadOfDividingByZero) {
  const struct {
    float sa, da;  // A = 0 and A = −1
  } cases[] = {{2.0f, 2.0f}, {2.0f, 3.0f}};
  for (const auto& c : cases) {
    PF_PixelFloat dst{c.da, 0.25f, 0.5f, 0.75f};
    const PF_PixelFloat src{c.sa, 0.9f, 0.1f, 0.3f};
    BlendStampPixel(dst, src);
    EXPECT_PRED2(samePixel<PF_PixelFloat>, dst, src) << "sa " << c.sa << ", da " << c.da;
  }
}

template <class Pixel>
class CoverageStampTest : public ::testing::Test {};
TYPED_TEST_SUITE(CoverageStampTest, RenderPixelTypes, RenderPixelTypeNames);

TYPED_TEST(CoverageStampTest, HalfPixelDiscGivesItsCentrePixelCoverage82) {
  using Pixel = TypeParam;
  TestCanvas<Pixel> canvas(5, 5);
  const Pixel stamp = pixelOf<Pixel>(1.0, 0.2, 0.4, 0.6);
  StampSmallDisc(canvas.canvas, 2.0, 2.0, 0.5, stamp);
  // Alpha full · 82 / 255, truncated: 82, 10537 (10537.16), 82/255 in float.
  // The neighbours lie 1 px off: f = (1 − 0.25) / 1 = 0.75, column 28, row 1 gives 4, half is 2:
  // alpha full · 2 / 255: 2, 257 (257.003), 2/255 in float.
  Pixel expected = stamp;
  Pixel neighbour = stamp;
  if constexpr (std::is_same_v<Pixel, PF_Pixel8>) {
    expected.alpha = 82;
    neighbour.alpha = 2;
  } else if constexpr (std::is_same_v<Pixel, PF_Pixel16>) {
    expected.alpha = 10537;
    neighbour.alpha = 257;
  } else {
    expected.alpha = 0.321568638f;
    neighbour.alpha = 0.00784313772f;
  }
  EXPECT_PRED2(samePixel<Pixel>, canvas.at(2, 2), expected);
  EXPECT_PRED2(samePixel<Pixel>, canvas.at(3, 2), neighbour);
  EXPECT_TRUE(canvas.guardIntact());
}

// The integer depths scale by an integer quotient; the alpha they must give is the double
// formula's, for every channel value (valid or not) at every coverage.
TYPED_TEST(CoverageStampTest, ScaledAlphaIsTheDoubleFormulaForEveryChannelAndCoverage) {
  using Traits = PixelTraits<TypeParam>;
  using Channel = typename Traits::Channel;
  if constexpr (std::is_floating_point_v<Channel>) {
    GTEST_SKIP() << "float alphas are scaled in floating point";
  } else {
    for (int alpha = 0; alpha <= std::numeric_limits<Channel>::max(); ++alpha) {
      for (int coverage = 0; coverage <= 255; ++coverage) {
        const auto expected =
            static_cast<Channel>(static_cast<double>(static_cast<std::int64_t>(alpha) * coverage) * (1.0 / 255.0));
        ASSERT_EQ(Traits::scaleByCoverage(static_cast<Channel>(alpha), coverage), expected) << alpha << " " << coverage;
      }
    }
  }
}

TYPED_TEST(CoverageStampTest, FullCoverageKeepsTheStampAlpha) {
  using Pixel = TypeParam;
  using Traits = PixelTraits<Pixel>;
  if constexpr (std::is_floating_point_v<typename Traits::Channel>) {
    for (const float a : {1.0f, 0.75f, 0.5f, 0.3f, 0.1f}) EXPECT_EQ(Traits::scaleByCoverage(a, 255), a) << a;
  } else {
    for (int a = 0; a <= Traits::full; ++a) {
      ASSERT_EQ(Traits::scaleByCoverage(static_cast<typename Traits::Channel>(a), 255), a) << a;
    }
  }
}

}  // namespace
