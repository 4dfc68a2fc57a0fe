// The rim walk passes over stretches of undrawn rows at once; on the rows it draws it must
// visit exactly the pixels, partners and edge distances of the step-by-step walk, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <random>
#include <vector>

#include "raster/DiscRadius.h"
#include "raster/DiscRaster.h"
#include "raster/EdgeCoverage.h"
#include "raster/SpanBuffer.h"

namespace {

struct Visit {
  int i, j, qi, qj;
  double fP, fQ;
  bool operator==(const Visit&) const = default;
};

std::vector<Visit> walk(const raster::QuantisedDisc& disc, const raster::RimWindow& rows, bool passOver) {
  std::vector<Visit> visits;
  const auto record = [&](int i, int j, int qi, int qj, double fP, double fQ) {
    if (rows.containsRow(j)) visits.push_back(Visit{i, j, qi, qj, fP, fQ});
  };
  if (passOver) {
    // All columns drawn: only undrawn rows are passed over, and silently.
    raster::traceDiscRim(disc, record, rows, [](int, std::int64_t, std::int64_t) { FAIL(); });
  } else {
    raster::traceDiscRim(disc, record);  // every row drawn: nothing is passed over
  }
  return visits;
}

TEST(RimWalk, PassingOverUndrawnRowsVisitsWhatTheFullWalkVisits) {
  std::mt19937 random(1206);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int compared = 0;
  for (int round = 0; round < 1500; ++round) {
    const double r = std::exp(std::log(5.0) + unit(random) * (std::log(6000.0) - std::log(5.0)));
    const raster::QuantisedDisc disc = raster::quantiseDisc(unit(random) * 50.0, unit(random) * 50.0, r);
    // A band of drawn rows anywhere from above the disc to below it, a few rows to a few
    // hundred tall: through the sides, the caps, or missing the circle altogether.
    const auto reach = static_cast<std::int64_t>(r) + 4;
    // Every other band near the rows where the circle turns through 45°, where the walk
    // changes from one row a step to one column a step.
    const auto diagonal = static_cast<std::int64_t>(r * 0.7071) * (round % 4 == 1 ? 1 : -1);
    const std::int64_t first = round % 2 == 1
                                   ? diagonal + std::uniform_int_distribution<std::int64_t>(-30, 30)(random)
                                   : std::uniform_int_distribution<std::int64_t>(-reach - 20, reach + 20)(random);
    const std::int64_t height = std::uniform_int_distribution<std::int64_t>(1, round % 3 == 0 ? 400 : 50)(random);
    const raster::RimWindow rows{.firstRow = first, .lastRow = first + height - 1};
    const std::vector<Visit> expected = walk(disc, rows, false);
    ASSERT_EQ(walk(disc, rows, true), expected) << "r " << r << " sx " << disc.sx << " sy " << disc.sy
                                                << " rows " << rows.firstRow << " … " << rows.lastRow;
    compared += static_cast<int>(expected.size());
  }
  EXPECT_GT(compared, 100000);  // the bands did meet the rims
}

}  // namespace

namespace {

// What a large disc hands its sink: each canvas pixel's rim coverages in order, and the spans.
struct DrawnDisc {
  std::map<std::pair<int, int>, std::vector<int>> rim;
  std::vector<std::array<int, 3>> spans;
  void pixel(int px, int py, int coverage) { rim[{px, py}].push_back(coverage); }
  void span(int py, int x0, int x1) { spans.push_back({py, x0, x1}); }
  bool operator==(const DrawnDisc&) const = default;
};

// largeDisc as it stood before it passed over rows or left out the walk: the whole rim walked,
// every row of the disc bounded and filled.
DrawnDisc wholeWalk(int width, int height, double x, double y, double r) {
  DrawnDisc drawn;
  const DiscRadius radius = DiscRadius::of(r);
  const raster::QuantisedDisc disc = raster::quantiseDisc(x, y, r);
  SpanBuffer spans;
  spans.reset(r, disc.xs, disc.ys);
  DiscCoverage coverageOf(radius);
  const auto rim = [&](int i, int j, double f) {
    const std::int64_t px = disc.cellX + i;
    const std::int64_t py = disc.cellY + j;
    if (px < 0 || px >= width || py < 0 || py >= height) return;
    const int coverage = coverageOf.at(f);
    if (coverage >= 1) drawn.pixel(static_cast<int>(px), static_cast<int>(py), coverage);
  };
  raster::traceDiscRim(disc, [&](int i, int j, int qi, int qj, double fP, double fQ) {
    rim(i, j, fP);
    rim(qi, qj, fQ);
    spans.narrow(i, j);
    spans.narrow(qi, qj);
  });
  for (int entry = 0; entry < spans.rowsInDisc; ++entry) {
    const int left = spans.leftBounds[static_cast<std::size_t>(entry)];
    const int right = spans.rightBounds[static_cast<std::size_t>(entry)];
    if (left == SpanBuffer::kNoLeftBound || right == SpanBuffer::kNoRightBound) continue;
    const std::int64_t py = disc.cellY + spans.rowOffset + entry;
    if (py < 0 || py >= height) continue;
    const std::int64_t from = std::max<std::int64_t>(disc.cellX + left, 0);
    const std::int64_t to = std::min<std::int64_t>(disc.cellX + right, width - 1);
    if (from <= to) drawn.span(static_cast<int>(py), static_cast<int>(from), static_cast<int>(to));
  }
  return drawn;
}

void expectDrawsWhatTheWholeWalkDraws(int width, int height, double x, double y, double r) {
  DrawnDisc got;
  SpanBuffer spans;
  raster::largeDisc(width, height, x, y, r, DiscRadius::of(r), spans, got);
  std::sort(got.spans.begin(), got.spans.end());
  DrawnDisc expected = wholeWalk(width, height, x, y, r);
  std::sort(expected.spans.begin(), expected.spans.end());
  ASSERT_EQ(got, expected) << "canvas " << width << " x " << height << ", disc (" << x << ", " << y << ") r " << r;
}

// Discs from a little larger than the canvas to far larger, around it, through its edges and
// holding all of it: the same pixels, coverages and spans as the whole walk.
TEST(RimWalk, LargeDiscsDrawWhatTheWholeWalkDraws) {
  std::mt19937 random(707);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int held = 0;
  for (int round = 0; round < 600; ++round) {
    const int width = std::uniform_int_distribution<int>(1, 80)(random);
    const int height = std::uniform_int_distribution<int>(1, 60)(random);
    const double r = std::exp(std::log(5.0) + unit(random) * (std::log(3000.0) - std::log(5.0)));
    // Centres within the disc's own reach of the canvas, so every case draws something.
    const double x = width / 2.0 + (unit(random) - 0.5) * 2.0 * (r + width);
    const double y = height / 2.0 + (unit(random) - 0.5) * 2.0 * (r + height);
    ASSERT_NO_FATAL_FAILURE(expectDrawsWhatTheWholeWalkDraws(width, height, x, y, r));
    held += raster::discHoldsCanvas(raster::quantiseDisc(x, y, r), width, height) ? 1 : 0;
  }
  EXPECT_GT(held, 50);  // the shortcut was taken often enough to be tested
}

// Small canvases on the top and bottom of far larger discs, where the walk goes a column a
// step through drawn rows and passes over the columns off the canvas, reporting only the rows
// they bound: the same pixels, coverages and spans as the whole walk.
TEST(RimWalk, CapsOfLargeDiscsOverSmallCanvasesDrawWhatTheWholeWalkDraws) {
  std::mt19937 random(1207);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int passes = 0;
  for (int round = 0; round < 1000; ++round) {
    const int width = std::uniform_int_distribution<int>(1, 64)(random);
    const int height = std::uniform_int_distribution<int>(1, 48)(random);
    const double r = std::exp(std::log(20.0) + unit(random) * (std::log(3000.0) - std::log(20.0)));
    // A point of the canvas lies on the circle (give or take a canvas height) within 50° of
    // its top or bottom, so the canvas meets the cap and at times the 45° turn to the sides.
    const double angle = (unit(random) - 0.5) * 100.0 * std::numbers::pi / 180.0;
    const double up = round % 2 == 0 ? 1.0 : -1.0;
    const double distance = r + (unit(random) - 0.5) * 2.0 * height;
    double x = unit(random) * width - distance * std::sin(angle);
    const double y = unit(random) * height + up * distance * std::cos(angle);
    // Every fourth canvas lies just beside the centre column, over the very top or bottom, where
    // a stretch passed over runs up to the split between the disc's two sides.
    if (round % 4 == 3) x = round % 8 == 3 ? -1.0 - 20.0 * unit(random) : width + 20.0 * unit(random);
    ASSERT_NO_FATAL_FAILURE(expectDrawsWhatTheWholeWalkDraws(width, height, x, y, r));

    const raster::QuantisedDisc disc = raster::quantiseDisc(x, y, r);
    const raster::RimWindow window{-1 - disc.cellY, height - disc.cellY, -disc.cellX, width - 1 - disc.cellX,
                                   static_cast<int>(disc.xs)};
    raster::traceDiscRim(
        disc, [](int, int, int, int, double, double) {}, window,
        [&](int, std::int64_t, std::int64_t) { ++passes; });
  }
  EXPECT_GT(passes, 1000);  // stretches off the canvas were passed over, often
}

}  // namespace
