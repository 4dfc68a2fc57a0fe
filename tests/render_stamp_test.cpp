// The disc rasterisers: which pixels a disc covers (through a recording sink), how stamps land
// on a canvas, and how bad input is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "raster/DiscRaster.h"
#include "raster/StampDisc.h"
#include "support/DiscCase.h"
#include "support/RenderTestCanvas.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Records what a rasteriser emits, without any pixels.
struct RecordingSink {
  int width = 0;
  int height = 0;
  std::map<std::pair<int, int>, std::vector<int>> rim;  // (x, y) → coverages, one per visit
  std::map<int, std::vector<std::pair<int, int>>> spans;  // row → [x0, x1] spans
  int outside = 0;

  void pixel(int px, int py, int coverage) {
    if (px < 0 || px >= width || py < 0 || py >= height || coverage < 1 || coverage > 255) ++outside;
    rim[{px, py}].push_back(coverage);
  }
  void span(int py, int x0, int x1) {
    if (py < 0 || py >= height || x0 < 0 || x1 >= width || x0 > x1) ++outside;
    spans[py].push_back({x0, x1});
  }
};

DiscCase randomDisc(unsigned seed, double minRadius, double maxRadius) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> size(8, 160);
  const double r = minRadius * std::pow(maxRadius / minRadius, std::uniform_real_distribution<double>(0, 1)(random));
  const int width = size(random);
  const int height = size(random);
  std::uniform_real_distribution<double> x(-0.8 * r, width + 0.8 * r);
  std::uniform_real_distribution<double> y(-0.8 * r, height + 0.8 * r);
  return DiscCase{seed, width, height, x(random), y(random), r};
}

// Rim pixels and fill spans never overlap, every row of the disc is one unbroken run of
// pixels, a row holds at most one span, and nothing is emitted outside the canvas.
TEST(LargeDiscRaster, RimAndFillTileEachRowWithoutGapsOrOverlap) {
  SpanBuffer spans;
  for (unsigned seed = 1; seed <= 250; ++seed) {
    const DiscCase c = randomDisc(seed, 5.0, 120.0);
    RecordingSink sink{c.width, c.height, {}, {}, 0};
    raster::largeDisc(c.width, c.height, c.x, c.y, c.r, DiscRadius::of(c.r), spans, sink);
    ASSERT_EQ(sink.outside, 0) << describe(c);

    std::map<int, std::vector<int>> rowColumns;
    for (const auto& [xy, coverages] : sink.rim) rowColumns[xy.second].push_back(xy.first);
    for (const auto& [row, list] : sink.spans) {
      ASSERT_EQ(list.size(), 1u) << describe(c) << ", row " << row;
      for (int px = list[0].first; px <= list[0].second; ++px) {
        ASSERT_EQ(sink.rim.count({px, row}), 0u) << describe(c) << ", pixel (" << px << ", " << row << ")";
        rowColumns[row].push_back(px);
      }
    }
    for (auto& [row, columns] : rowColumns) {
      std::sort(columns.begin(), columns.end());
      for (std::size_t k = 1; k < columns.size(); ++k) {
        ASSERT_EQ(columns[k], columns[k - 1] + 1) << describe(c) << ", gap in row " << row << " after column "
                                                  << columns[k - 1];
      }
    }
  }
}

// A pixel reached by two steps of the trace is reported each time, with the same coverage.
TEST(LargeDiscRaster, RepeatedRimVisitsCarryTheSameCoverage) {
  SpanBuffer spans;
  for (unsigned seed = 1; seed <= 100; ++seed) {
    const DiscCase c = randomDisc(seed, 5.0, 60.0);
    RecordingSink sink{c.width, c.height, {}, {}, 0};
    raster::largeDisc(c.width, c.height, c.x, c.y, c.r, DiscRadius::of(c.r), spans, sink);
    for (const auto& [xy, coverages] : sink.rim) {
      for (const int coverage : coverages) ASSERT_EQ(coverage, coverages[0]) << describe(c);
    }
  }
}

TEST(SmallDiscRaster, ScansItsWholeBoxAndNothingElse) {
  for (unsigned seed = 1; seed <= 150; ++seed) {
    const DiscCase c = randomDisc(seed, 0.05, 5.0);
    RecordingSink sink{c.width, c.height, {}, {}, 0};
    const DiscRadius radius = DiscRadius::of(c.r);
    raster::smallDisc(c.width, c.height, c.x, c.y, c.r, radius, sink);
    ASSERT_EQ(sink.outside, 0) << describe(c);
    EXPECT_TRUE(sink.spans.empty());

    const int x0 = static_cast<int>(c.x - c.r);
    const int x1 = static_cast<int>(c.x + c.r + 0.5);
    const int y0 = static_cast<int>(c.y - c.r);
    const int y1 = static_cast<int>(c.y + c.r + 0.5);
    for (int py = 0; py < c.height; ++py) {
      for (int px = 0; px < c.width; ++px) {
        const auto found = sink.rim.find({px, py});
        const bool inBox = px >= x0 && px <= x1 && py >= y0 && py <= y1;
        if (!inBox) {
          ASSERT_TRUE(found == sink.rim.end()) << describe(c) << ", pixel (" << px << ", " << py << ") outside the box";
          continue;
        }
        // The incremental distance may differ from the direct one in its last bits: either
        // neighbouring column is right when the direct value sits on a column boundary.
        const double f = discEdgeDistance(px - c.x, py - c.y, c.r);
        const int low = EdgeCoverage(radius, f + 1e-9);
        const int high = EdgeCoverage(radius, f - 1e-9);
        const int got = found == sink.rim.end() ? 0 : found->second.at(0);
        if (found != sink.rim.end()) {
          ASSERT_EQ(found->second.size(), 1u) << describe(c);
        }
        ASSERT_TRUE(got == low || got == high)
            << describe(c) << ", pixel (" << px << ", " << py << "): coverage " << got << ", direct " << low << "/" << high;
      }
    }
  }
}

// Golden rim walks: the step pixels P, in walk order, of a few discs, worked out separately from
// the octant table with exact rational arithmetic. They pin what the geometric properties
// cannot: which of two valid pixels the midpoint test picks on an exact tie (F = 0), the
// rounding of the test's constant, the anchor and the step counts of the counted octants.
TEST(DiscRimWalk, MatchesGoldenWalks) {
  struct Golden {
    const char* name;
    double r, x, y;
    std::vector<std::pair<int, int>> steps;
  };
  const Golden goldens[] = {
      {"TieWithHalfRoundedConstant", 5.125, 100.0625, 50.4375,
       {{2, 5}, {3, 5}, {4, 4}, {4, 3}, {5, 2}, {5, 1}, {5, 0}, {5, -1}, {5, -2}, {4, -3}, {3, -4}, {2, -4},
       {1, -5}, {0, -5}, {-1, -5}, {-2, -4}, {-3, -4}, {-4, -3}, {-4, -2}, {-5, -1}, {-5, 0}, {-5, 1}, {-5, 2},
       {-4, 3}, {-4, 4}, {-3, 5}, {-2, 5}, {-1, 5}, {0, 6}, {1, 6}}},
      {"FourTies", 17.375, 100.6875, 50.6875,
       {{2, 18}, {3, 18}, {4, 18}, {5, 18}, {6, 17}, {7, 17}, {8, 16}, {9, 16}, {10, 15}, {11, 15}, {12, 14},
       {13, 13}, {14, 12}, {15, 11}, {15, 10}, {16, 9}, {16, 8}, {17, 7}, {17, 6}, {18, 5}, {18, 4}, {18, 3},
       {18, 2}, {18, 1}, {18, 0}, {18, -1}, {18, -2}, {18, -3}, {17, -4}, {17, -5}, {17, -6}, {16, -7}, {16,
       -8}, {15, -9}, {14, -10}, {14, -11}, {13, -12}, {12, -12}, {11, -13}, {10, -14}, {9, -15}, {8, -15}, {7,
       -15}, {6, -16}, {5, -16}, {4, -16}, {3, -17}, {2, -17}, {1, -17}, {0, -17}, {-1, -17}, {-2, -16}, {-3,
       -16}, {-4, -16}, {-5, -16}, {-6, -15}, {-7, -15}, {-8, -14}, {-9, -14}, {-10, -13}, {-11, -12}, {-12,
       -11}, {-13, -10}, {-14, -9}, {-14, -8}, {-15, -7}, {-15, -6}, {-16, -5}, {-16, -4}, {-16, -3}, {-16,
       -2}, {-17, -1}, {-17, 0}, {-17, 1}, {-17, 2}, {-17, 3}, {-16, 4}, {-16, 5}, {-16, 6}, {-15, 7}, {-15,
       8}, {-15, 9}, {-14, 10}, {-13, 11}, {-12, 12}, {-12, 13}, {-11, 14}, {-10, 14}, {-9, 15}, {-8, 16}, {-7,
       16}, {-6, 17}, {-5, 17}, {-4, 17}, {-3, 18}, {-2, 18}, {-1, 18}, {0, 18}, {1, 18}}},
      {"GeneralPosition", 12.3, 3.7, 8.2,
       {{2, 12}, {3, 12}, {4, 12}, {5, 12}, {6, 11}, {7, 11}, {8, 10}, {9, 9}, {10, 8}, {11, 7}, {12, 6}, {12,
       5}, {12, 4}, {13, 3}, {13, 2}, {13, 1}, {13, 0}, {13, -1}, {13, -2}, {13, -3}, {12, -4}, {12, -5}, {11,
       -6}, {11, -7}, {10, -8}, {9, -9}, {8, -10}, {7, -10}, {6, -11}, {5, -11}, {4, -12}, {3, -12}, {2, -12},
       {1, -12}, {0, -12}, {-1, -12}, {-2, -12}, {-3, -12}, {-4, -11}, {-5, -11}, {-6, -10}, {-7, -9}, {-8,
       -9}, {-9, -8}, {-9, -7}, {-10, -6}, {-10, -5}, {-11, -4}, {-11, -3}, {-11, -2}, {-12, -1}, {-12, 0},
       {-12, 1}, {-11, 2}, {-11, 3}, {-11, 4}, {-11, 5}, {-10, 6}, {-10, 7}, {-9, 8}, {-8, 9}, {-7, 10}, {-6,
       11}, {-5, 11}, {-4, 12}, {-3, 12}, {-2, 12}, {-1, 12}, {0, 12}, {1, 12}}},
      {"CentredOnAPixel", 6.0, 10.0, 10.0,
       {{1, 6}, {2, 6}, {3, 5}, {4, 4}, {5, 3}, {6, 2}, {6, 1}, {6, 0}, {6, -1}, {6, -2}, {5, -3}, {4, -4}, {3,
       -5}, {2, -6}, {1, -6}, {0, -6}, {-1, -6}, {-2, -6}, {-3, -5}, {-4, -4}, {-5, -3}, {-6, -2}, {-6, -1},
       {-6, 0}, {-6, 1}, {-6, 2}, {-5, 3}, {-4, 4}, {-3, 5}, {-2, 6}, {-1, 6}, {0, 6}}},
      {"OffsetRoundsUpToTheNextCell", 9.5, 20.98, 5.99,
       {{1, 9}, {2, 9}, {3, 9}, {4, 9}, {5, 8}, {6, 7}, {7, 6}, {8, 5}, {9, 4}, {9, 3}, {9, 2}, {9, 1},
       {9, 0}, {9, -1}, {9, -2}, {9, -3}, {9, -4}, {8, -5}, {7, -6}, {6, -7}, {5, -8}, {4, -9}, {3, -9},
       {2, -9}, {1, -9}, {0, -9}, {-1, -9}, {-2, -9}, {-3, -9}, {-4, -9}, {-5, -8}, {-6, -7}, {-7, -6},
       {-8, -5}, {-9, -4}, {-9, -3}, {-9, -2}, {-9, -1}, {-9, 0}, {-9, 1}, {-9, 2}, {-9, 3}, {-9, 4}, {-8, 5},
       {-7, 6}, {-6, 7}, {-5, 8}, {-4, 9}, {-3, 9}, {-2, 9}, {-1, 9}, {0, 9}}},
      {"LeftmostPointNeedsTheLastCountedStep", 5.28, 7.75, 9.0,
       {{2, 5}, {3, 5}, {4, 4}, {5, 3}, {6, 2}, {6, 1}, {6, 0}, {6, -1}, {6, -2}, {5, -3}, {4, -4}, {3, -5},
       {2, -5}, {1, -5}, {0, -5}, {-1, -5}, {-2, -5}, {-3, -4}, {-4, -3}, {-4, -2}, {-4, -1}, {-5, 0}, {-4, 1},
       {-4, 2}, {-4, 3}, {-3, 4}, {-2, 5}, {-1, 5}, {0, 5}, {1, 5}}},
  };
  for (const Golden& golden : goldens) {
    std::vector<std::pair<int, int>> steps;
    raster::traceDiscRim(raster::quantiseDisc(golden.x, golden.y, golden.r),
                         [&](int i, int j, int, int, double, double) { steps.push_back({i, j}); });
    EXPECT_EQ(steps, golden.steps) << golden.name;
  }
}

// Every step moves to an 8-neighbour, the partner is a 4-neighbour on the other side of the
// circle from P (or on it), and the walk closes: it ends on its anchor or next to it.
TEST(DiscRimWalk, IsAClosedChainOfNeighbours) {
  for (unsigned seed = 1; seed <= 500; ++seed) {
    std::mt19937 random(seed);
    const double r = std::uniform_real_distribution<double>(5.0, 150.0)(random);
    const double x = std::uniform_real_distribution<double>(-3.0, 3.0)(random);
    const double y = std::uniform_real_distribution<double>(-3.0, 3.0)(random);
    const raster::QuantisedDisc disc = raster::quantiseDisc(x, y, r);
    const int anchorI = static_cast<int>(std::ceil(disc.xs));
    const int anchorJ =
        static_cast<int>(std::floor(disc.ys + std::sqrt(r * r - (anchorI - disc.xs) * (anchorI - disc.xs)) + 0.5));
    int previousI = anchorI;
    int previousJ = anchorJ;
    int steps = 0;
    bool chained = true;
    bool partnered = true;
    raster::traceDiscRim(disc, [&](int i, int j, int qi, int qj, double fP, double fQ) {
      chained = chained && std::abs(i - previousI) <= 1 && std::abs(j - previousJ) <= 1 && (i != previousI || j != previousJ);
      partnered = partnered && std::abs(qi - i) + std::abs(qj - j) == 1 && (fP < 0.0 ? fQ > fP : fQ < fP);
      previousI = i;
      previousJ = j;
      ++steps;
    });
    const DiscCase c{seed, 0, 0, x, y, r};
    ASSERT_TRUE(chained) << describe(c);
    ASSERT_TRUE(partnered) << describe(c);
    ASSERT_LE(std::abs(previousI - anchorI), 1) << describe(c);
    ASSERT_LE(std::abs(previousJ - anchorJ), 1) << describe(c);
    // About one step per pixel of the eight octants' major axes: 4·√2·r of them.
    ASSERT_NEAR(steps, 4.0 * std::sqrt(2.0) * r, 8.0) << describe(c);
  }
}

// The step pixels of a disc centred on a pixel (or on a pixel's middle) have the symmetry of
// the square: both mirror images and the transpose. A miscounted octant or a wrong anchor breaks
// it. (The partners do not: near an octant join the mirror image of a step belongs to an octant
// with the other minor axis.)
TEST(DiscRimWalk, CentredDiscsAreSymmetric) {
  for (const double offset : {0.0, 0.5}) {
    for (double r = 5.0; r <= 40.0; r += 0.125) {
      std::set<std::pair<int, int>> steps;
      raster::traceDiscRim(raster::quantiseDisc(offset, offset, r),
                           [&](int i, int j, int, int, double, double) { steps.insert({i, j}); });
      // Mirror about the centre: i → −i for a centre on a pixel, i → 1 − i for one halfway.
      const int mirror = offset == 0.0 ? 0 : 1;
      for (const auto& [i, j] : steps) {
        ASSERT_EQ(steps.count({mirror - i, j}), 1u) << "r " << r << ", offset " << offset << ", pixel " << i << ", " << j;
        ASSERT_EQ(steps.count({i, mirror - j}), 1u) << "r " << r << ", offset " << offset << ", pixel " << i << ", " << j;
        ASSERT_EQ(steps.count({j, i}), 1u) << "r " << r << ", offset " << offset << ", pixel " << i << ", " << j;
      }
    }
  }
}

// An offset of 16 is quantised as the next cell's 0. That is only sound because the walk of
// the unnormalised disc (xs = 1, or ys = 1) is the normalised one moved by a pixel, with the
// same edge distances bit for bit: both are walked here, across radii and offsets.
TEST(DiscRimWalk, AnOffsetOfSixteenIsTheNextCellsZero) {
  struct Step {
    int i, j, qi, qj;
    double fP, fQ;
    bool operator==(const Step&) const = default;
  };
  const auto walk = [](const raster::QuantisedDisc& disc, int di, int dj) {
    std::vector<Step> steps;
    raster::traceDiscRim(disc, [&](int i, int j, int qi, int qj, double fP, double fQ) {
      steps.push_back({i + di, j + dj, qi + di, qj + dj, fP, fQ});
    });
    return steps;
  };
  for (double r = 1.0; r <= 300.0; r = r * 1.07 + 0.013) {
    for (int other = 0; other < 16; ++other) {
      for (const bool alongX : {true, false}) {
        raster::QuantisedDisc sixteen;
        sixteen.r = r;
        sixteen.sx = alongX ? 16 : other;
        sixteen.sy = alongX ? other : 16;
        sixteen.xs = sixteen.sx / 16.0;
        sixteen.ys = sixteen.sy / 16.0;
        raster::QuantisedDisc zero = sixteen;
        (alongX ? zero.sx : zero.sy) = 0;
        (alongX ? zero.xs : zero.ys) = 0.0;
        ASSERT_TRUE(walk(sixteen, 0, 0) == walk(zero, alongX ? 1 : 0, alongX ? 0 : 1))
            << "r " << r << ", offset " << other << (alongX ? " (x at 16)" : " (y at 16)");
      }
    }
  }
  // And the quantisation hands out the next cell's 0.
  const raster::QuantisedDisc rounded = raster::quantiseDisc(20.98, 5.99, 9.5);
  EXPECT_EQ(rounded.cellX, 21);
  EXPECT_EQ(rounded.cellY, 6);
  EXPECT_EQ(rounded.sx, 0);
  EXPECT_EQ(rounded.sy, 0);
}

template <class Pixel>
class StampTest : public ::testing::Test {};
TYPED_TEST_SUITE(StampTest, RenderPixelTypes, RenderPixelTypeNames);

template <class Pixel>
using StampFunction = int (*)(StrokeCanvas&, double, double, double, const Pixel&);

// Bad input draws nothing, writes nowhere, and returns 0.
TYPED_TEST(StampTest, BadInputDrawsNothing) {
  using Pixel = TypeParam;
  const Pixel stamp = pixelOf<Pixel>(1.0, 0.2, 0.4, 0.6);
  const struct {
    double x, y, r;
  } cases[] = {
      {20, 20, 0.0},   {20, 20, -3.0},  {20, 20, kNaN},  {20, 20, kInf},   {20, 20, -kInf},  {20, 20, 1e30},
      {kNaN, 20, 8},   {20, kNaN, 8},   {kInf, 20, 8},   {20, -kInf, 8},   {1e300, 20, 8},   {20, -1e300, 8},
      {-20, 20, 8},    {60, 20, 8},     {20, -20, 8},    {20, 60, 8},      {-9.6, 20, 8},    {20, 49.6, 8},
      {-300, -300, 150}, {-6, 20, 3},   {20, 47, 3},     {20, 20, 40000},
  };
  for (const StampFunction<Pixel> stampDisc : {&StampSmallDisc<Pixel>, &StampLargeDisc<Pixel>}) {
    for (const auto& c : cases) {
      TestCanvas<Pixel> canvas(40, 40);
      EXPECT_EQ(stampDisc(canvas.canvas, c.x, c.y, c.r, stamp), 0);
      EXPECT_TRUE(canvas.allTransparentBlack()) << "centre (" << c.x << ", " << c.y << "), radius " << c.r;
      EXPECT_TRUE(canvas.guardIntact()) << "centre (" << c.x << ", " << c.y << "), radius " << c.r;
    }
  }
}

TYPED_TEST(StampTest, NoWorldOrNoAlphaDrawsNothing) {
  using Pixel = TypeParam;
  for (const StampFunction<Pixel> stampDisc : {&StampSmallDisc<Pixel>, &StampLargeDisc<Pixel>}) {
    TestCanvas<Pixel> noWorld(30, 30);
    noWorld.canvas.pixels = nullptr;
    stampDisc(noWorld.canvas, 15, 15, 6, pixelOf<Pixel>(1, 1, 1, 1));
    EXPECT_TRUE(noWorld.allTransparentBlack());

    TestCanvas<Pixel> badRows(30, 30);
    badRows.canvas.rowbytes = 3;
    stampDisc(badRows.canvas, 15, 15, 6, pixelOf<Pixel>(1, 1, 1, 1));
    EXPECT_TRUE(badRows.allTransparentBlack());

    TestCanvas<Pixel> clear(30, 30);
    stampDisc(clear.canvas, 15, 15, 6, pixelOf<Pixel>(0, 1, 1, 1));
    EXPECT_TRUE(clear.allTransparentBlack());
  }
}

// Clipping must not change what lands inside the canvas: a disc over a canvas edge draws
// exactly the window of the same disc drawn on a canvas large enough to hold it.
TYPED_TEST(StampTest, DiscOverAnEdgeDrawsTheVisiblePartOfTheWholeDisc) {
  using Pixel = TypeParam;
  const Pixel stamp = pixelOf<Pixel>(0.8, 0.9, 0.3, 0.1);
  for (const StampFunction<Pixel> stampDisc : {&StampSmallDisc<Pixel>, &StampLargeDisc<Pixel>}) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
      std::mt19937 random(seed);
      const double r = stampDisc == &StampSmallDisc<Pixel> ? std::uniform_real_distribution<double>(0.2, 5)(random)
                                                             : std::uniform_real_distribution<double>(5, 40)(random);
      const int width = 24;
      const int height = 20;
      // The window starts at (ox, oy) of the big canvas; the disc straddles one of its edges.
      const int ox = 50;
      const int oy = 50;
      std::uniform_real_distribution<double> along(-r, width + r);
      double x = along(random);
      double y = std::uniform_real_distribution<double>(-r, height + r)(random);
      switch (seed % 4) {
        case 0: x = std::uniform_real_distribution<double>(-r, r)(random); break;
        case 1: x = width + std::uniform_real_distribution<double>(-r, r)(random); break;
        case 2: y = std::uniform_real_distribution<double>(-r, r)(random); break;
        default: y = height + std::uniform_real_distribution<double>(-r, r)(random); break;
      }
      TestCanvas<Pixel> window(width, height);
      TestCanvas<Pixel> whole(width + 2 * ox, height + 2 * oy);
      stampDisc(window.canvas, x, y, r, stamp);
      stampDisc(whole.canvas, x + ox, y + oy, r, stamp);
      ASSERT_TRUE(window.guardIntact()) << "seed " << seed;
      for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
          ASSERT_PRED2(samePixel<Pixel>, window.at(px, py), whole.at(px + ox, py + oy))
              << "seed " << seed << ", centre (" << x << ", " << y << "), radius " << r << ", pixel (" << px << ", "
              << py << ")";
        }
      }
    }
  }
}

// The span rows of a large disc must not leak into a smaller one drawn later on the same canvas.
TYPED_TEST(StampTest, SmallerDiscAfterALargerOneIsUnaffectedByItsRows) {
  using Pixel = TypeParam;
  const Pixel stamp = pixelOf<Pixel>(0.6, 0.1, 0.5, 0.9);
  TestCanvas<Pixel> used(120, 120);
  StampLargeDisc(used.canvas, 60.2, 61.9, 55.0, stamp);
  const int rowsAfterLarge = used.canvas.spanBuffer.rowsInUse;
  used.fill(Pixel{});
  StampLargeDisc(used.canvas, 30.3, 70.6, 7.5, stamp);
  EXPECT_EQ(used.canvas.spanBuffer.rowsInUse, rowsAfterLarge);  // grown once, never shrunk

  TestCanvas<Pixel> fresh(120, 120);
  StampLargeDisc(fresh.canvas, 30.3, 70.6, 7.5, stamp);
  for (int py = 0; py < 120; ++py) {
    for (int px = 0; px < 120; ++px) ASSERT_PRED2(samePixel<Pixel>, used.at(px, py), fresh.at(px, py));
  }
}

// Queuing records a disc's whole rim once its radius repeats: a disc far larger than the
// canvas (a rim tens of thousands of pixels round, nearly all of it off the canvas) is drawn
// directly instead, walking only the part on the canvas.
TYPED_TEST(StampTest, DiscsFarLargerThanTheCanvasAreNotQueued) {
  using Pixel = TypeParam;
  const Pixel stamp = pixelOf<Pixel>(1, 0.5, 0.5, 0.5);
  TestCanvas<Pixel> canvas(40, 30);
  for (int repeat = 0; repeat < 3; ++repeat) {
    EXPECT_FALSE(DeferLargeDisc(canvas.canvas, 20.0 + repeat, -100.0, 90.0, stamp));  // 90 > 2 x 40
  }
  EXPECT_TRUE(canvas.canvas.deferredDiscs.discs.empty());
  // One just within the bound is queued once its radius repeats.
  EXPECT_FALSE(DeferLargeDisc(canvas.canvas, 20.0, -70.0, 80.0, stamp));
  EXPECT_TRUE(DeferLargeDisc(canvas.canvas, 21.0, -70.0, 80.0, stamp));
  FlushDeferredDiscs<Pixel>(canvas.canvas);
}

TYPED_TEST(StampTest, StampsKeepTheCanvasRadiusInStep) {
  using Pixel = TypeParam;
  TestCanvas<Pixel> canvas(40, 40);
  StampLargeDisc(canvas.canvas, 20, 20, 11.7, pixelOf<Pixel>(1, 1, 1, 1));
  EXPECT_EQ(canvas.canvas.radius.whole, 11);
  EXPECT_EQ(canvas.canvas.radius.wholePlusOne, 12);
  EXPECT_NEAR(canvas.canvas.radius.fraction, 0.7, 1e-12);
  StampSmallDisc(canvas.canvas, 20, 20, 2.25, pixelOf<Pixel>(1, 1, 1, 1));
  EXPECT_EQ(canvas.canvas.radius.whole, 2);
  EXPECT_EQ(canvas.canvas.radius.fraction, 0.25);
}

// A large disc's inside is one flat stamp: every pixel at least a pixel inside the rim carries
// the stamp alpha exactly, and the colour never changes.
TYPED_TEST(StampTest, LargeDiscInsideIsTheUnscaledStamp) {
  using Pixel = TypeParam;
  const Pixel stamp = pixelOf<Pixel>(0.55, 0.25, 0.5, 0.75);
  TestCanvas<Pixel> canvas(80, 80);
  StampLargeDisc(canvas.canvas, 40.0, 40.0, 30.0, stamp);
  for (int py = 0; py < 80; ++py) {
    for (int px = 0; px < 80; ++px) {
      const double distance = std::hypot(px - 40.0, py - 40.0);
      if (distance < 28.5) {
        ASSERT_PRED2(samePixel<Pixel>, canvas.at(px, py), stamp) << px << ", " << py;
      }
      if (distance > 31.5) {
        ASSERT_PRED2(samePixel<Pixel>, canvas.at(px, py), Pixel{}) << px << ", " << py;
      }
    }
  }
}

}  // namespace
