// Disc shapes turned half round from their partner offset instead of walked: wherever the
// cache turns one, it must be the shape the walk records, row for row and pixel for pixel.
#include <gtest/gtest.h>

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
// tapers pass through, every whole and half pixel where strokes of whole thickness sit, and
// random ones.
std::vector<double> radii() {
  std::vector<double> all;
  for (int k = 0; k < 8 * 30; ++k) all.push_back(5.0 + k / 8.0);
  for (int k = 70; k <= 240; k += 3) all.push_back(k / 2.0);
  std::mt19937 random(20261208);
  for (int k = 0; k < 40; ++k) all.push_back(std::uniform_real_distribution<double>(5.0, 500.0)(random));
  return all;
}

TEST(DiscShape, EveryShapeTurnedFromItsPartnerIsTheWalkedShape) {
  SpanBuffer spans;
  raster::DiscShapeCache cache;
  std::vector<DiscShape> walked(256);
  DiscShape turned;
  int offsetsThatTurn = 0;
  int offsetsWithPartner = 0;
  for (const double r : radii()) {
    const DiscRadius radius = DiscRadius::of(r);
    // Centres far from the origin, so that cells are large numbers as on a real canvas.
    const auto discAt = [&](int sx, int sy) { return raster::quantiseDisc(1500.0 + sx / 16.0, 900.0 + sy / 16.0, r); };
    for (int offset = 0; offset < 256; ++offset) {
      raster::recordDiscShape(discAt(offset % 16, offset / 16), radius, spans, cache, walked[static_cast<std::size_t>(offset)]);
    }
    for (int sy = 0; sy < 16; ++sy) {
      for (int sx = 1; sx < 16; ++sx) {
        const DiscShape& partner = walked[static_cast<std::size_t>((16 - sy) % 16 * 16 + (16 - sx))];
        const raster::QuantisedDisc disc = discAt(sx, sy);
        ++offsetsWithPartner;
        if (!raster::turnsInto(partner, disc)) continue;
        ++offsetsThatTurn;
        raster::turnDiscShape(partner, 1, sy == 0 ? 0 : 1, turned);
        const DiscShape& expected = walked[static_cast<std::size_t>(sy * 16 + sx)];
        ASSERT_EQ(drawnRows(turned), drawnRows(expected)) << "r = " << r << ", offset " << sx << ", " << sy;
        EXPECT_EQ(turned.walk.anchor, expected.walk.anchor);
        EXPECT_EQ(turned.walk.top, expected.walk.top);
        EXPECT_TRUE(turned.walk.closes());
      }
    }
  }
  // Turning is how most offsets get their shape; were it never to apply, this test would prove
  // nothing.
  EXPECT_GT(offsetsThatTurn, offsetsWithPartner * 9 / 10);
}

}  // namespace
