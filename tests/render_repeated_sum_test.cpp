// Skipping ahead in a repeated floating-point sum gives the very bits of the one-by-one loop:
// random starts (both signs, near binade ends, tiny and huge), steps (a pixel, positions of a
// fraction of a path, steps that tie), counts and limits.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "geometry/RepeatedSum.h"

namespace {

double loopAdd(double value, double step, std::uint64_t count) {
  for (std::uint64_t i = 0; i < count; ++i) value += step;
  return value;
}

std::uint64_t loopUntil(double& value, double step, double limit, std::uint64_t maxCount) {
  std::uint64_t n = 0;
  do {
    value += step;
    ++n;
  } while (value < limit && n < maxCount);
  return n;
}

struct Draw {
  std::mt19937_64 random{20261206};
  double start() {
    switch (random() % 6) {
      case 0: return std::ldexp(1.0, static_cast<int>(random() % 60) - 20);  // a power of two
      case 1: return -std::ldexp(1.0, static_cast<int>(random() % 60) - 20);
      case 2: return std::nextafter(std::ldexp(1.0, static_cast<int>(random() % 40)), 0.0);  // just below one
      case 3: return 0.0;
      case 4: return std::uniform_real_distribution<double>(-1e6, 1e6)(random);
      default: return std::uniform_real_distribution<double>(-2.0, 2.0)(random);
    }
  }
  double step() {
    switch (random() % 5) {
      case 0: return 1.0;
      case 1: return 1.0 / std::uniform_real_distribution<double>(1.0, 1e7)(random);  // a position step
      case 2: return std::ldexp(1.0, -static_cast<int>(random() % 30)) * 1.5;         // ties on coarse grids
      case 3: return std::uniform_real_distribution<double>(1e-3, 50.0)(random);
      default: return std::ldexp(static_cast<double>(random() % 7 + 1), -static_cast<int>(random() % 45));
    }
  }
};

TEST(RepeatedSum, AddRepeatedlyMatchesTheLoop) {
  Draw draw;
  for (int trial = 0; trial < 3000; ++trial) {
    const double start = draw.start();
    const double step = draw.step();
    const std::uint64_t count = draw.random() % (trial % 10 == 0 ? 200000 : 3000);
    const double expected = loopAdd(start, step, count);
    const double got = addRepeatedly(start, step, count);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected))
        << std::hexfloat << "start " << start << " step " << step << " count " << std::dec << count;
  }
}

// Where every addition is exact the result is known without the loop: three thousand million
// pixel steps, passed over in a few binades.
TEST(RepeatedSum, ExactAdditionsFarAhead) {
  EXPECT_EQ(addRepeatedly(0.25, 1.0, 3000000000u), 3000000000.25);
  EXPECT_EQ(addRepeatedly(-5000000000.5, 1.0, 3000000000u), -2000000000.5);
  double value = 0.25;
  EXPECT_EQ(addUntilAtLeast(value, 1.0, 2500000000.0, 1u << 31), 1u << 31);  // stopped by the count
  EXPECT_EQ(value, 2147483648.25);
}

TEST(RepeatedSum, AddUntilAtLeastMatchesTheLoop) {
  Draw draw;
  for (int trial = 0; trial < 3000; ++trial) {
    const double start = draw.start();
    const double step = draw.step();
    const double limit = start + step * static_cast<double>(draw.random() % 50000) * std::uniform_real_distribution<double>(0.5, 1.5)(draw.random);
    const std::uint64_t maxCount = trial % 7 == 0 ? draw.random() % 1000 + 1 : 1000000;
    double expected = start;
    const std::uint64_t expectedCount = loopUntil(expected, step, limit, maxCount);
    double got = start;
    const std::uint64_t count = addUntilAtLeast(got, step, limit, maxCount);
    ASSERT_EQ(count, expectedCount) << std::hexfloat << "start " << start << " step " << step << " limit " << limit;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected));
  }
}

}  // namespace
