// Large discs drawn from a recorded shape. Every disc of one radius and one sub-pixel offset
// (sx, sy) covers the same pixels around its centre cell with the same coverage, only shifted
// by whole pixels, and the discs of a stroke of even thickness repeat a few hundred such
// shapes thousands of times. A shape is the rim walk's result kept row by row: per row its rim
// pixels, split into the two sides and ordered by column (pixels the walk met twice keep their
// order), then its interior span. Replaying it hands the sink the same pixels with the same
// coverage as largeDisc; only pixels of different rows (and the disjoint rim and span of one
// row) come in another order, which no blend can tell apart. A sink that reports each row's
// settled run lets the replay pass over the rim pixels in it, and rows inside it altogether.
//
// Memory: a shape holds about 12r rim pixels and 2r rows; at most 289 are kept per radius.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "raster/DiscRaster.h"

namespace raster {

struct DiscShape {
  struct RimPixel {
    int column;  // relative to the centre cell
    int coverage;
  };
  // The rim pixels of one side of a row (those left of the disc's split column, or right).
  struct RimRun {
    int first = 0;  // index into rim
    int count = 0;
    int left = 0;  // their columns
    int right = -1;
  };
  struct Row {
    RimRun sides[2];
    int spanLeft = 0;  // interior columns; none when spanLeft > spanRight
    int spanRight = -1;
    int left = 0;  // every column of the row, rim and span
    int right = -1;
  };
  int firstRow = 0;  // row of rows[0], relative to the centre cell
  std::vector<Row> rows;
  std::vector<RimPixel> rim;
};

// Shapes for one radius at a time, one per sub-pixel offset. A shape is recorded the second
// time its offset comes up at the same radius, so discs whose radius changes from one to the
// next (tapers) are drawn directly at no extra cost.
class DiscShapeCache {
public:
  enum class Slot : std::uint8_t { Unseen, Seen, Recorded };

  // The slot of radius r at offset (sx, sy), 0 … 16 each; a new radius forgets every shape.
  Slot& slot(double r, int sx, int sy, DiscShape*& shape) {
    if (r != radius_) {
      radius_ = r;
      slots_.fill(Slot::Unseen);
    }
    const std::size_t index = static_cast<std::size_t>(sy) * kOffsets + static_cast<std::size_t>(sx);
    shape = &shapes_[index];
    return slots_[index];
  }

  // Scratch of the recording: the rim walk's pixels before they are sorted into rows.
  struct WalkedPixel {
    int column;
    int bucket;  // 2 · row + side, rows counted from the shape's first
    int coverage;
  };
  std::vector<WalkedPixel> walked;
  std::vector<int> rowCounts;

private:
  static constexpr std::size_t kOffsets = 17;
  double radius_ = -1.0;
  std::array<Slot, kOffsets * kOffsets> slots_{};
  std::array<DiscShape, kOffsets * kOffsets> shapes_{};
};

namespace detail {

// The sink's settled run of row py (columns left … right), if it has one.
template <class Sink>
bool settledRun(Sink& sink, int py, int& left, int& right) {
  if constexpr (requires { sink.settledRun(py, left, right); }) {
    return sink.settledRun(py, left, right);
  } else {
    return false;
  }
}

}  // namespace detail

// Records the disc's rim walk and spans, as largeDisc draws them, into `shape`.
inline void recordDiscShape(const QuantisedDisc& disc, const DiscRadius& radius, SpanBuffer& spans,
                            DiscShapeCache& cache, DiscShape& shape) {
  spans.reset(disc.r, disc.xs, disc.ys);
  DiscCoverage coverageOf(radius);
  auto& walked = cache.walked;
  walked.clear();
  int top = spans.rowOffset;
  int bottom = spans.rowOffset + spans.rowsInDisc - 1;
  const auto rim = [&](int i, int j, double f) {
    const int coverage = coverageOf.at(f);
    if (coverage < 1) return;
    walked.push_back({i, j, coverage});  // the row for now
    if (j < top) top = j;
    if (j > bottom) bottom = j;
  };
  traceDiscRim(disc, [&](int i, int j, int qi, int qj, double fP, double fQ) {
    rim(i, j, fP);
    rim(qi, qj, fQ);
    spans.narrow(i, j);
    spans.narrow(qi, qj);
  });
  // `bucket` held the row until top was known.
  for (auto& p : walked) p.bucket = 2 * (p.bucket - top) + (p.column <= spans.splitColumn ? 0 : 1);

  // The rim pixels sorted into rows and sides, stably (a counting sort).
  shape.firstRow = top;
  shape.rows.assign(static_cast<std::size_t>(bottom - top + 1), DiscShape::Row{});
  auto& counts = cache.rowCounts;
  counts.assign(2 * shape.rows.size() + 1, 0);
  for (const auto& p : walked) ++counts[static_cast<std::size_t>(p.bucket) + 1];
  for (std::size_t k = 1; k < counts.size(); ++k) counts[k] += counts[k - 1];
  shape.rim.resize(walked.size());
  for (std::size_t k = 0; k < shape.rows.size(); ++k) {
    for (std::size_t side = 0; side < 2; ++side) {
      DiscShape::RimRun& run = shape.rows[k].sides[side];
      run.first = counts[2 * k + side];
      run.count = counts[2 * k + side + 1] - run.first;
    }
  }
  for (const auto& p : walked) {
    shape.rim[static_cast<std::size_t>(counts[static_cast<std::size_t>(p.bucket)]++)] =
        DiscShape::RimPixel{p.column, p.coverage};
  }
  const auto byColumn = [](const DiscShape::RimPixel& a, const DiscShape::RimPixel& b) { return a.column < b.column; };
  for (const DiscShape::Row& row : shape.rows) {
    for (const DiscShape::RimRun& run : row.sides) {
      const auto first = shape.rim.begin() + run.first;
      std::stable_sort(first, first + run.count, byColumn);
    }
  }

  const auto include = [](int& left, int& right, int column) {
    if (left > right) {
      left = right = column;
    } else {
      if (column < left) left = column;
      if (column > right) right = column;
    }
  };
  for (std::size_t k = 0; k < shape.rows.size(); ++k) {
    DiscShape::Row& row = shape.rows[k];
    const int entry = static_cast<int>(k) + top - spans.rowOffset;
    if (entry >= 0 && entry < spans.rowsInDisc) {
      const int left = spans.leftBounds[static_cast<std::size_t>(entry)];
      const int right = spans.rightBounds[static_cast<std::size_t>(entry)];
      if (left != SpanBuffer::kNoLeftBound && right != SpanBuffer::kNoRightBound && left <= right) {
        row.spanLeft = row.left = left;
        row.spanRight = row.right = right;
      }
    }
    for (DiscShape::RimRun& run : row.sides) {
      for (int n = 0; n < run.count; ++n) {
        const int column = shape.rim[static_cast<std::size_t>(run.first + n)].column;
        include(run.left, run.right, column);
        include(row.left, row.right, column);
      }
    }
  }
}

// Which parts of a recorded disc a replay hands over.
enum class DiscParts { RimAndSpans, RimOnly };

// The recorded disc with its centre cell at (cellX, cellY), clipped to the canvas.
template <class Sink>
void replayDiscShape(const DiscShape& shape, std::int64_t cellX, std::int64_t cellY, int width, int height,
                     Sink& sink, DiscParts parts = DiscParts::RimAndSpans) {
  for (std::size_t k = 0; k < shape.rows.size(); ++k) {
    const DiscShape::Row& row = shape.rows[k];
    const std::int64_t py = cellY + shape.firstRow + static_cast<std::int64_t>(k);
    if (py < 0 || py >= height || row.left > row.right) continue;
    const std::int64_t extentLeft = std::max<std::int64_t>(cellX + row.left, 0);
    const std::int64_t extentRight = std::min<std::int64_t>(cellX + row.right, width - 1);
    if (extentLeft > extentRight) continue;
    const int y = static_cast<int>(py);
    int settledLeft = 0;
    int settledRight = -1;
    const bool hasRun = detail::settledRun(sink, y, settledLeft, settledRight);
    if (hasRun && settledLeft <= extentLeft && extentRight <= settledRight) continue;
    for (const DiscShape::RimRun& run : row.sides) {
      const DiscShape::RimPixel* first = shape.rim.data() + run.first;
      const DiscShape::RimPixel* last = first + run.count;
      const auto blend = [&](const DiscShape::RimPixel* from, const DiscShape::RimPixel* to) {
        for (const DiscShape::RimPixel* p = from; p != to; ++p) {
          const std::int64_t px = cellX + p->column;
          if (px >= 0 && px < width) sink.pixel(static_cast<int>(px), y, p->coverage);
        }
      };
      if (!hasRun) {
        blend(first, last);
        continue;
      }
      // In column order: those left of the run, then those right of it.
      const DiscShape::RimPixel* leftEnd = first;
      while (leftEnd != last && cellX + leftEnd->column < settledLeft) ++leftEnd;
      const DiscShape::RimPixel* rightBegin = last;
      while (rightBegin != leftEnd && cellX + (rightBegin - 1)->column > settledRight) --rightBegin;
      blend(first, leftEnd);
      blend(rightBegin, last);
    }
    if (parts == DiscParts::RimOnly || row.spanLeft > row.spanRight) continue;
    const std::int64_t from = std::max<std::int64_t>(cellX + row.spanLeft, 0);
    const std::int64_t to = std::min<std::int64_t>(cellX + row.spanRight, width - 1);
    if (from <= to) sink.span(y, static_cast<int>(from), static_cast<int>(to));
  }
}

// largeDisc, with the disc's shape recorded and replayed when its radius and offset repeat.
template <class Sink>
void largeDiscFromShapes(int width, int height, double x, double y, double r, const DiscRadius& radius,
                         SpanBuffer& spans, DiscShapeCache& cache, Sink& sink) {
  if (width <= 0 || height <= 0) return;
  if (!(r >= 1.0 && r <= kMaxDiscRadiusPx) || !std::isfinite(x) || !std::isfinite(y)) return;
  const double reach = r + 3.0;
  if (!(x - reach < width) || !(x + reach > 0.0) || !(y - reach < height) || !(y + reach > 0.0)) return;

  const QuantisedDisc disc = quantiseDisc(x, y, r);
  DiscShape* shape = nullptr;
  DiscShapeCache::Slot& slot = cache.slot(r, disc.sx, disc.sy, shape);
  if (slot == DiscShapeCache::Slot::Unseen) {
    slot = DiscShapeCache::Slot::Seen;
    largeDisc(width, height, x, y, r, radius, spans, sink);
    return;
  }
  if (slot == DiscShapeCache::Slot::Seen) {
    recordDiscShape(disc, radius, spans, cache, *shape);
    slot = DiscShapeCache::Slot::Recorded;
  }
  replayDiscShape(*shape, disc.cellX, disc.cellY, width, height, sink);
}

}  // namespace raster
