// The random generator: every stroke's variation comes from it, so a wrong constant or an
// off-by-one step changes every render that uses randomness.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "random/RandomStream.h"

namespace {

constexpr double kUnit = 1.5259021896696422e-5;  // the double nearest 1/65535

// A stream whose state has the given output in its upper sixteen bits.
RandomStream withOutput(std::uint32_t output) { return RandomStream{output << 16 | 0x1234u}; }

TEST(RandomStream, OneStepFromZero) {
  RandomStream stream{0};
  stream.step();
  EXPECT_EQ(stream.state, 2531011u);
  EXPECT_EQ(stream.output(), 38u);
  EXPECT_EQ(stream.unitValue(), 38 * kUnit);
  EXPECT_DOUBLE_EQ(stream.unitValue(), 38.0 / 65535.0);
}

TEST(RandomStream, JumpsOfZero) {
  EXPECT_EQ(twoStepJump(0), 505908858u);
  EXPECT_EQ(threeStepJump(0), 3539360597u);
  EXPECT_EQ(stepRandomState(stepRandomState(0)), 505908858u);
  EXPECT_EQ(stepRandomState(stepRandomState(stepRandomState(0))), 3539360597u);
}

TEST(RandomStream, TwoStepJumpOfOne) {
  // 1 · 214013 + 2531011 = 2745024, then 2745024 · 214013 + 2531011 mod 2^32 = 3357800067
  EXPECT_EQ(twoStepJump(1), 3357800067u);
}

// Guards a mistyped multiplier or increment: a jump must equal stepping, for every state.
TEST(RandomStream, JumpsEqualSteppingForAnyState) {
  std::mt19937 random(20240611);
  for (int n = 0; n < 10000; ++n) {
    const std::uint32_t x = random();
    const std::uint32_t two = stepRandomState(stepRandomState(x));
    EXPECT_EQ(twoStepJump(x), two) << "x = " << x;
    EXPECT_EQ(505908858u - x * 1443076087u, two) << "x = " << x;
    EXPECT_EQ(threeStepJump(x), stepRandomState(two)) << "x = " << x;
    EXPECT_EQ(x * 1170746341u - 755606699u, stepRandomState(two)) << "x = " << x;
  }
}

TEST(RandomStream, NegativeSeedsJumpModulo2To32) {
  const std::int32_t seed = -7;
  const auto asUnsigned = static_cast<std::uint32_t>(seed);
  EXPECT_EQ(RandomStream::afterThreeSteps(asUnsigned).state,
            stepRandomState(stepRandomState(stepRandomState(asUnsigned))));
  EXPECT_EQ(RandomStream::afterTwoSteps(asUnsigned).state, stepRandomState(stepRandomState(asUnsigned)));
}

TEST(RandomStream, ValuesReachBothEndsExactly) {
  EXPECT_EQ(withOutput(0).unitValue(), 0.0);
  EXPECT_EQ(withOutput(65535).unitValue(), 1.0);
  EXPECT_EQ(withOutput(0).signedValue(), -1.0);
  EXPECT_EQ(withOutput(65535).signedValue(), 1.0);
  // All sixteen bits count: the top bit alone is just above one half.
  EXPECT_GT(withOutput(0x8000).unitValue(), 0.5);
}

TEST(RandomStream, PercentIsHundredOnlyForTheLargestOutput) {
  const struct {
    std::uint32_t output;
    std::int32_t percent;
  } cases[] = {{0, 0}, {655, 0}, {656, 1}, {32767, 49}, {32768, 50}, {65534, 99}, {65535, 100}};
  for (const auto& c : cases) EXPECT_EQ(withOutput(c.output).percentValue(), c.percent) << "output " << c.output;
}

// A draw steps first and reads after: reading first would shift every value by one.
TEST(RandomStream, DrawsStepThenRead) {
  RandomStream unit{0};
  EXPECT_EQ(unit.draw(), 38 * kUnit);
  EXPECT_EQ(unit.state, 2531011u);

  RandomStream signedStream{0};
  EXPECT_EQ(signedStream.drawSigned(), 2.0 * (38 * kUnit) - 1.0);

  RandomStream percent{0};
  EXPECT_EQ(percent.drawPercent(), 0);
  RandomStream later{RandomStream::afterThreeSteps(0)};
  const RandomStream copy = later;
  EXPECT_EQ(later.drawPercent(), static_cast<std::int32_t>(RandomStream{stepRandomState(copy.state)}.unitValue() * 100.0));
}

}  // namespace
