// From parameter values to render settings: the numbers the renderer relies on.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "render/driver/RenderSettingsBuilder.h"

namespace {

ParamRecord neutralRecord() {
  ParamRecord p{};
  p.opacity = 100;
  p.thickness = 10;
  p.length = 100;
  p.waveAmount = 6;
  p.copyOffsetX = 20;
  p.copyOffsetY = 30;
  p.offsetXRandom = 40;
  p.offsetYRandom = 50;
  return p;
}

TEST(RenderSettings, EffectiveSeedFollowsIntervalAndArray) {
  // "Random Interval" 5, "Random Seed" 3, one tick a frame.
  for (A_long time = 0; time < 5; ++time) EXPECT_EQ(effectiveSeed(3, 5, 0, time, 1), 3) << time;
  for (A_long time = 5; time < 10; ++time) EXPECT_EQ(effectiveSeed(3, 5, 0, time, 1), 4) << time;
  // With "Random Array" 2 it alternates 3, 4, 3, 4 every five frames.
  const A_long expected[] = {3, 4, 3, 4};
  for (int block = 0; block < 4; ++block) EXPECT_EQ(effectiveSeed(3, 5, 2, block * 5 + 2, 1), expected[block]);
  // Frames count in time steps, truncating toward zero, also before time 0.
  EXPECT_EQ(effectiveSeed(3, 5, 0, 5 * 100, 100), 4);
  EXPECT_EQ(effectiveSeed(3, 5, 0, -5, 1), 2);
  EXPECT_EQ(effectiveSeed(3, 5, 3, -20, 1), 2);  // k = -4, remainder -1
  // No interval, or no time step: the seed as set.
  EXPECT_EQ(effectiveSeed(7, 0, 3, 100, 1), 7);
  EXPECT_EQ(effectiveSeed(7, 5, 3, 100, 0), 7);
  // Extreme values wrap instead of overflowing.
  EXPECT_EQ(effectiveSeed(INT_MAX, 1, 0, 1, 1), INT_MIN);
  EXPECT_EQ(effectiveSeed(0, 1, 0, INT_MIN, -1), INT_MIN);
}

TEST(RenderSettings, DownsamplingScalesSizesNotPositions) {
  ParamRecord p = neutralRecord();
  scaleForDownsampling(p, DownsampleFactors{0.5, 1.0 / 3.0});
  EXPECT_DOUBLE_EQ(p.thickness, 10.0 / 3.0);  // the smaller factor
  EXPECT_DOUBLE_EQ(p.waveAmount, 2.0);
  EXPECT_DOUBLE_EQ(p.copyOffsetX, 10.0);
  EXPECT_DOUBLE_EQ(p.offsetXRandom, 20.0);
  EXPECT_DOUBLE_EQ(p.copyOffsetY, 10.0);
  EXPECT_DOUBLE_EQ(p.offsetYRandom, 50.0 / 3.0);
}

TEST(RenderSettings, ColoursInEachDepth) {
  const PF_Pixel colour{255, 33, 0, 255};
  // 33 · k · 255 lands just below 33 and truncates.
  const PF_Pixel8 c8 = depthColour<PF_Pixel8>(colour);
  EXPECT_EQ(c8.alpha, 255);
  EXPECT_EQ(c8.red, 32);
  EXPECT_EQ(c8.blue, 255);
  const PF_Pixel16 c16 = depthColour<PF_Pixel16>(colour);
  EXPECT_EQ(c16.alpha, 32768);
  EXPECT_EQ(c16.red, 4240);  // 33 / 255 · 32768 = 4240.56
  const PF_PixelFloat cf = depthColour<PF_PixelFloat>(colour);
  EXPECT_EQ(cf.alpha, 1.0f);
  EXPECT_EQ(cf.red, 0.12941177f);  // the float nearest 33 / 255
}

TEST(RenderSettings, ConversionsOfTheRecord) {
  PF_InData in{};
  in.time_step = 1;
  ParamRecord p = neutralRecord();
  p.length = -50;
  p.startLength = 80;
  p.endLength = 40;
  p.hueRandom = 90 << 16;
  p.rotationRandom = 180 << 16;
  p.enableCopyStroke = 1;
  p.copyNumber = 4;
  const RenderSettings s = buildRenderSettings(p, in);
  EXPECT_DOUBLE_EQ(s.length, 0.5);
  EXPECT_TRUE(s.reverse);
  // Start and end taper together never exceed the stroke.
  EXPECT_NEAR(s.startLength, 2.0 / 3.0, 1e-12);
  EXPECT_NEAR(s.endLength, 1.0 / 3.0, 1e-12);
  EXPECT_DOUBLE_EQ(s.hueRandom, 0.25);
  EXPECT_DOUBLE_EQ(s.rotationRandom, M_PI);
  EXPECT_EQ(s.strokesPerPath, 5);
  p.enableCopyStroke = 0;
  EXPECT_EQ(buildRenderSettings(p, in).strokesPerPath, 1);
}

}  // namespace
