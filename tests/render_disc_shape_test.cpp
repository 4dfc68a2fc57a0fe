// Disc shapes turned a half or a quarter round from another offset's instead of walked:
// wherever the cache turns one, it must be the shape the walk records, row for row and pixel
// for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "raster/DiscShape.h"

namespace {

using raster::DiscShape;

// What a shape draws, row by row: its empty rows (the walk's spare rows at either end, which
// differ between a shape and its turn) left out. Every per-row array must agree with the rows.
struct DrawnRow {
  int row;
  std::vector<std::pair<int, int>> rim;  // column, coverage, in the shape's order
  int spanLeft, spanRight, left, right;
  bool operator==(const DrawnRow&) const = default;
};

std::vector<DrawnRow> drawnRows(const DiscShape& shape) {
  std::vector<DrawnRow> rows;
  for (std::size_t k = 0; k < shape.rows.size(); ++k) {
    const DiscShape::Row& row = shape.rows[k];
    const bool hasSpan = row.spanLeft <= row.spanRight;
    EXPECT_EQ(shape.spanLefts[k], hasSpan ? row.spanLeft : DiscShape::kNoLeft);
    EXPECT_EQ(shape.spanRights[k], hasSpan ? row.spanRight : DiscShape::kNoRight);
    if (row.rimCount == 0 && !hasSpan) {
      EXPECT_GT(row.left, row.right);
      EXPECT_EQ(shape.rimLefts[k], DiscShape::kNoLeft);
      continue;
    }
    DrawnRow drawn{shape.firstRow + static_cast<int>(k), {}, row.spanLeft, row.spanRight, row.left, row.right};
    for (int n = 0; n < row.rimCount; ++n) {
      const DiscShape::RimPixel& p = shape.rim[static_cast<std::size_t>(row.firstRim + n)];
      drawn.rim.emplace_back(p.column, p.coverage);
    }
    if (row.rimCount > 0) {
      EXPECT_EQ(shape.rimLefts[k], drawn.rim.front().first);
      EXPECT_EQ(shape.rimRights[k], drawn.rim.back().first);
    }
    rows.push_back(std::move(drawn));
  }
  for (std::size_t k = shape.rows.size(); k < shape.spanLefts.size(); ++k) {
    EXPECT_EQ(shape.spanLefts[k], DiscShape::kNoLeft);
    EXPECT_EQ(shape.rimLefts[k], DiscShape::kNoLeft);
  }
  return rows;
}

// Radii from the smallest a large disc has through those of the thickest strokes: dense where
// tapers pass through, whole and half pixels where strokes of whole thickness sit, those of
// round thicknesses up to the largest, and random ones.
std::vector<double> radii() {
  std::vector<double> all;
  for (int k = 0; k < 8 * 20; ++k) all.push_back(5.0 + k / 8.0);
  for (int k = 50; k <= 240; k += 9) all.push_back(k / 2.0);
  for (const double r : {30.0, 50.0, 100.0, 200.0, 500.0}) all.push_back(r);
  std::mt19937 random(20261208);
  for (int k = 0; k < 12; ++k) all.push_back(std::uniform_real_distribution<double>(5.0, 500.0)(random));
  return all;
}

// Rows as the walk hands them over: in order, two runs to rotate (equal columns where they
// meet), one run the wrong way, and rows of mixed runs; each must come out in column order
// with the same pixels.
TEST(DiscShape, SortByColumnPutsEveryRowInOrder) {
  const std::vector<std::vector<int>> rows = {
      {},           {4},          {1, 2, 2, 5}, {50, 51, -51, -50}, {0, 1, 2, -3, -2, -1, 0},
      {9, 7, 7, 4}, {3, 4, 2, 5}, {5, 1, 4, 2}, {2, 2, 1, 1},       {6, 7, 1, 8, 0}};
  for (const std::vector<int>& columns : rows) {
    std::vector<DiscShape::RimPixel> row;
    // Each pixel's coverage follows its column, as a pixel met twice has one coverage.
    for (const int column : columns) row.push_back({column, 100 + column});
    raster::sortByColumn(row.data(), row.data() + row.size());
    std::vector<int> expected = columns;
    std::sort(expected.begin(), expected.end());
    std::vector<int> sorted;
    for (const DiscShape::RimPixel& p : row) {
      sorted.push_back(p.column);
      EXPECT_EQ(p.coverage, 100 + p.column);
    }
    EXPECT_EQ(sorted, expected);
  }
}

// Offsets come up in a random order, as a stroke brings them, and each gets its shape as the
// stamping does: walked, or turned a half or a quarter round from one recorded before.
TEST(DiscShape, EveryShapeTurnedInsteadOfWalkedIsTheWalkedShape) {
  SpanBuffer spans;
  raster::DiscShapeCache cache;
  raster::DiscShapeCache scratch;  // the reference walks' own
  DiscShape walked;
  std::mt19937 random(1208);
  std::vector<int> offsets(256);
  int walks = 0;
  int shapes = 0;
  for (const double r : radii()) {
    const DiscRadius radius = DiscRadius::of(r);
    // Centres far from the origin, so that cells are large numbers as on a real canvas.
    const auto discAt = [&](int offset) {
      return raster::quantiseDisc(1500.0 + offset % 16 / 16.0, 900.0 + offset / 16 / 16.0, r);
    };
    DiscShape* shape = nullptr;
    cache.slot(r, 0, 0, shape);  // a new radius: every offset unseen
    for (int n = 0; n < 256; ++n) offsets[static_cast<std::size_t>(n)] = n;
    std::shuffle(offsets.begin(), offsets.end(), random);
    for (const int offset : offsets) {
      const raster::QuantisedDisc disc = discAt(offset);
      raster::DiscShapeCache::Slot& slot = cache.slot(r, disc.sx, disc.sy, shape);
      if (slot == raster::DiscShapeCache::Slot::Seen) {
        raster::recordOrTurnDiscShape(disc, radius, spans, cache, *shape);
        slot = raster::DiscShapeCache::Slot::Recorded;
      }
      ASSERT_EQ(slot, raster::DiscShapeCache::Slot::Recorded);
    }
    walks += cache.walks;
    shapes += 256;
    for (int offset = 0; offset < 256; ++offset) {
      const raster::QuantisedDisc disc = discAt(offset);
      raster::recordDiscShape(disc, radius, spans, scratch, walked);
      const DiscShape& kept = *cache.recorded(disc.sx, disc.sy);
      ASSERT_EQ(drawnRows(kept), drawnRows(walked)) << "r = " << r << ", offset " << disc.sx << ", " << disc.sy;
      EXPECT_EQ(kept.walk.anchor, walked.walk.anchor);
      EXPECT_EQ(kept.walk.right, walked.walk.right);
      EXPECT_EQ(kept.walk.top, walked.walk.top);
      EXPECT_EQ(kept.walk.left, walked.walk.left);
      EXPECT_EQ(kept.walk.end, walked.walk.end);
    }
  }
  // Most shapes are turned: 29 % walked when this was written, where half turns alone walk
  // over half of them. Were turning never to apply, this test would prove nothing.
  EXPECT_LT(walks, shapes * 4 / 10);
}

}  // namespace
