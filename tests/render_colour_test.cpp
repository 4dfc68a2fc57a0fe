// Per-stroke colour variation and the gradation's centre colour.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "colour/ColourVariation.h"
#include "colour/Fold.h"
#include "colour/HsvColour.h"
#include "support/RenderTestCanvas.h"

namespace {

TEST(Fold, ReflectsIntoZeroToOne) {
  const struct {
    double x;
    double folded;
  } cases[] = {{0.0, 0.0},  {0.25, 0.25}, {1.0, 1.0},  {1.25, 0.75}, {2.0, 0.0},  {2.5, 0.5},
               {3.75, 0.25}, {-0.25, 0.25}, {-1.25, 0.75}, {-2.5, 0.5}, {1.5, 0.5}};
  for (const auto& c : cases) EXPECT_EQ(fold(c.x), c.folded) << "fold(" << c.x << ")";
  // Length 90% with a +50% random draw: 1.4 folds to 0.6; saturation 0.9 + 0.3 folds to 0.8.
  EXPECT_DOUBLE_EQ(fold(0.9 + 0.5), 0.6);
  EXPECT_DOUBLE_EQ(fold(0.9 + 0.3), 0.8);
}

TEST(HsvColour, HueWrapsBothWays) {
  EXPECT_EQ(wrapHue(-0.25), 0.75);
  EXPECT_DOUBLE_EQ(wrapHue(1.3), 0.3);
  EXPECT_EQ(wrapHue(0.0), 0.0);
  EXPECT_EQ(wrapHue(0.5), 0.5);
  EXPECT_EQ(wrapHue(2.25), 0.25);
  EXPECT_EQ(wrapHue(-2.25), 0.75);
}

TEST(HsvColour, PrimariesAndGrey) {
  const struct {
    RgbColour rgb;
    HsvColour hsv;
  } cases[] = {
      {{1, 0, 0}, {0, 1, 1}},
      {{0, 1, 0}, {2 * 0.166666666666667, 1, 1}},
      {{0, 0, 1}, {4 * 0.166666666666667, 1, 1}},
      {{1, 0, 1}, {-0.166666666666667 + 1.0, 1, 1}},  // magenta: a negative h wraps up
      {{0.5, 0.5, 0.5}, {0, 0, 0.5}},                  // grey: no saturation, hue 0
      {{0, 0, 0}, {0, 0, 0}},
      {{1, 0.5, 0}, {0.5 * 0.166666666666667, 1, 1}},
  };
  for (const auto& c : cases) {
    const HsvColour hsv = hsvFromRgb(c.rgb);
    EXPECT_EQ(hsv.hue, c.hsv.hue) << c.rgb.red << " " << c.rgb.green << " " << c.rgb.blue;
    EXPECT_EQ(hsv.saturation, c.hsv.saturation);
    EXPECT_EQ(hsv.value, c.hsv.value);
  }
}

TEST(HsvColour, EverySectorBackToRgb) {
  // S = 1, V = 1, f = 0.5: the rising or falling component sits at one half.
  const struct {
    double hue;
    RgbColour rgb;
  } cases[] = {{0.5 / 6, {1, 0.5, 0}}, {1.5 / 6, {0.5, 1, 0}}, {2.5 / 6, {0, 1, 0.5}},
               {3.5 / 6, {0, 0.5, 1}}, {4.5 / 6, {0.5, 0, 1}}, {5.5 / 6, {1, 0, 0.5}}};
  for (const auto& c : cases) {
    const RgbColour rgb = rgbFromHsv(HsvColour{c.hue, 1.0, 1.0});
    EXPECT_NEAR(rgb.red, c.rgb.red, 1e-12) << "hue " << c.hue;
    EXPECT_NEAR(rgb.green, c.rgb.green, 1e-12) << "hue " << c.hue;
    EXPECT_NEAR(rgb.blue, c.rgb.blue, 1e-12) << "hue " << c.hue;
  }
  const RgbColour none = rgbFromHsv(HsvColour{std::numeric_limits<double>::quiet_NaN(), 1.0, 1.0});
  EXPECT_EQ(none.red + none.green + none.blue, 0.0);
}

template <class Pixel>
class ColourVariationTest : public ::testing::Test {};
TYPED_TEST_SUITE(ColourVariationTest, RenderPixelTypes, RenderPixelTypeNames);

TYPED_TEST(ColourVariationTest, PureRedStaysRedAndBecomesOpaque) {
  using Pixel = TypeParam;
  const Pixel red = pixelOf<Pixel>(0.0, 1.0, 0.0, 0.0);  // the input alpha is ignored
  const Pixel varied = varyColour(red, 0.0, 0.0, 0.0);
  EXPECT_PRED2(samePixel<Pixel>, varied, pixelOf<Pixel>(1.0, 1.0, 0.0, 0.0));
}

// Without shifts every colour must come back as it went in: a lossy model conversion would tint
// every unrandomised stroke.
TYPED_TEST(ColourVariationTest, NoShiftRoundTripsAGridOfColours) {
  using Pixel = TypeParam;
  using Channel = typename PixelTraits<Pixel>::Channel;
  for (int r = 0; r <= 20; ++r) {
    for (int g = 0; g <= 20; ++g) {
      for (int b = 0; b <= 20; ++b) {
        const Pixel in = pixelOf<Pixel>(0.5, r / 20.0, g / 20.0, b / 20.0);
        const Pixel out = varyColour(in, 0.0, 0.0, 0.0);
        if constexpr (std::is_floating_point_v<Channel>) {
          EXPECT_NEAR(out.red, in.red, 1e-6);
          EXPECT_NEAR(out.green, in.green, 1e-6);
          EXPECT_NEAR(out.blue, in.blue, 1e-6);
        } else {
          EXPECT_EQ(out.red, in.red) << r << " " << g << " " << b;
          EXPECT_EQ(out.green, in.green) << r << " " << g << " " << b;
          EXPECT_EQ(out.blue, in.blue) << r << " " << g << " " << b;
        }
        EXPECT_EQ(out.alpha, PixelTraits<Pixel>::full);
      }
    }
  }
}

TEST(ColourVariation, EveryEightBitLevelRoundTrips) {
  for (int v = 0; v <= 255; ++v) {
    const auto c = static_cast<A_u_char>(v);
    for (const PF_Pixel8 in : {PF_Pixel8{255, c, 0, 0}, PF_Pixel8{255, c, c, c}, PF_Pixel8{255, 255, c, 40}}) {
      const PF_Pixel8 out = varyColour(in, 0.0, 0.0, 0.0);
      EXPECT_PRED2(samePixel<PF_Pixel8>, out, in) << "level " << v;
    }
  }
}

TYPED_TEST(ColourVariationTest, GreyIgnoresHueButFollowsValue) {
  using Pixel = TypeParam;
  const Pixel grey = pixelOf<Pixel>(1.0, 0.5, 0.5, 0.5);
  EXPECT_PRED2(samePixel<Pixel>, varyColour(grey, 0.37, 0.0, 0.0), varyColour(grey, 0.0, 0.0, 0.0));
  const Pixel lighter = varyColour(grey, 0.0, 0.0, 0.25);
  EXPECT_EQ(lighter.red, lighter.green);
  EXPECT_EQ(lighter.red, lighter.blue);
  // Moved up by a quarter of full (within the rounding of the way back).
  const double moved = static_cast<double>(lighter.red) - static_cast<double>(grey.red);
  EXPECT_NEAR(moved, 0.25 * PixelTraits<Pixel>::full, std::is_floating_point_v<typename PixelTraits<Pixel>::Channel> ? 1e-6 : 1.0);
}

TYPED_TEST(ColourVariationTest, HueShiftOfAThirdTurnsRedGreenFromEitherSide) {
  using Pixel = TypeParam;
  for (const double shift : {1.0 / 3.0, -2.0 / 3.0, 4.0 / 3.0}) {
    const Pixel green = varyColour(pixelOf<Pixel>(1.0, 1.0, 0.0, 0.0), shift, 0.0, 0.0);
    EXPECT_NEAR(static_cast<double>(green.red), 0.0, 1e-6) << "shift " << shift;
    EXPECT_EQ(green.green, PixelTraits<Pixel>::full) << "shift " << shift;
    EXPECT_NEAR(static_cast<double>(green.blue), 0.0, 1e-6) << "shift " << shift;
  }
}

// Saturation 0.9 pushed by +0.3 reflects to 0.8 instead of clipping at 1.
TEST(ColourVariation, SaturationFoldsBackFromAboveOne) {
  const PF_PixelFloat in{1.0f, 1.0f, 0.1f, 0.1f};  // V = 1, S = 0.9 (as float channels allow)
  const PF_PixelFloat out = varyColour(in, 0.0, 0.3, 0.0);
  EXPECT_FLOAT_EQ(out.red, 1.0f);
  EXPECT_NEAR(out.green, 0.2f, 1e-6);
  EXPECT_NEAR(out.blue, 0.2f, 1e-6);
}

TYPED_TEST(ColourVariationTest, NaNShiftsGiveAnOpaqueColourWithoutFailing) {
  using Pixel = TypeParam;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Pixel out = varyColour(pixelOf<Pixel>(1.0, 0.2, 0.4, 0.6), nan, nan, nan);
  EXPECT_EQ(out.alpha, PixelTraits<Pixel>::full);
}

TEST(GradationCentreColour, IntegerMidpointsTruncateTowardTheStart) {
  // start + ((end − start) · 16384) / 32768
  const PF_Pixel8 down = gradationCentreColour(PF_Pixel8{255, 255, 0, 10}, PF_Pixel8{0, 0, 255, 11},
                                               PF_Pixel8{}, false);
  EXPECT_PRED2(samePixel<PF_Pixel8>, down, (PF_Pixel8{128, 128, 127, 10}));

  const PF_Pixel16 deep = gradationCentreColour(PF_Pixel16{32768, 32768, 0, 0}, PF_Pixel16{0, 0, 32767, 1},
                                                PF_Pixel16{}, false);
  EXPECT_PRED2(samePixel<PF_Pixel16>, deep, (PF_Pixel16{16384, 16384, 16383, 0}));

  const PF_PixelFloat flat = gradationCentreColour(PF_PixelFloat{1, 1, 0, 0.25f}, PF_PixelFloat{0, 0, 1, 0.75f},
                                                   PF_PixelFloat{}, false);
  EXPECT_PRED2(samePixel<PF_PixelFloat>, flat, (PF_PixelFloat{0.5f, 0.5f, 0.5f, 0.5f}));
}

TYPED_TEST(ColourVariationTest, CentreColourFlagTakesTheStrokeColour) {
  using Pixel = TypeParam;
  const Pixel stroke = pixelOf<Pixel>(1.0, 0.1, 0.2, 0.3);
  EXPECT_PRED2(samePixel<Pixel>,
               gradationCentreColour(pixelOf<Pixel>(1, 1, 1, 1), pixelOf<Pixel>(1, 0, 0, 0), stroke, true), stroke);
}

}  // namespace
