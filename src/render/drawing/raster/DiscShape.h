// Large discs drawn from a recorded shape. Every disc of one radius and one sub-pixel offset
// (sx, sy) covers the same pixels around its centre cell with the same coverage, only shifted
// by whole pixels, and the discs of a stroke of even thickness repeat a few hundred such
// shapes thousands of times. A shape is the rim walk's result kept row by row: per row its rim
// pixels ordered by column, then its interior span. Replaying it hands the sink the same pixels
// with the same coverage as largeDisc; only different pixels come in another order, which no
// blend can tell apart. A sink that reports each row's settled run lets the replay pass over
// the rim pixels in it, and rows inside it altogether.
//
// Memory: a shape holds about 12r rim pixels and 2r rows; at most 256 are kept per radius.
#pragma once

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <vector>

#include "raster/DiscRaster.h"
#include "raster/InlineLambda.h"
#include "raster/RowGroups.h"

namespace raster {

struct DiscShape {
  struct RimPixel {
    int column;  // relative to the centre cell
    int coverage;
  };
  struct Row {
    int firstRim = 0;  // index into rim; the row's rim pixels in column order
    int rimCount = 0;
    int spanLeft = 0;  // interior columns; none when spanLeft > spanRight
    int spanRight = -1;
    int left = 0;  // every column of the row, rim and span
    int right = -1;
  };
  int firstRow = 0;  // row of rows[0], relative to the centre cell
  std::span<Row> rows;
  std::span<RimPixel> rim;  // written by the recording, every one
  // Per row, apart from the rows so that they can be read four at a time (each with
  // kRowGroupPadding rows of none after the last): the interior span's columns and the
  // columns of the first and last rim pixel. None: kNoLeft, kNoRight.
  static constexpr int kNoLeft = INT_MAX / 4;
  static constexpr int kNoRight = INT_MIN / 4;
  std::span<int> spanLefts;
  std::span<int> spanRights;
  std::span<int> rimLefts;
  std::span<int> rimRights;
  RimWalkEnds walk;  // where the walk that made the shape stood (see turnsInto)

  DiscShape() = default;
  // The arrays point into the shape's own memory.
  DiscShape(const DiscShape&) = delete;
  DiscShape& operator=(const DiscShape&) = delete;

  // Lays the shape out for `rowCount` rows and `rimCount` rim pixels: every row without span
  // or rim, the rim pixels left for the recording to write. The arrays share one block of
  // memory, kept while it is large enough: every frame records its shapes on a canvas of its
  // own, and an allocation per array took a seventh of that recording at radius 30.
  void layOut(std::size_t rowCount, std::size_t rimCount) {
    const std::size_t padded = rowCount + kRowGroupPadding;
    const std::size_t bytes = rowCount * sizeof(Row) + rimCount * sizeof(RimPixel) + 4 * padded * sizeof(int);
    if (bytes > capacity_) {
      storage_ = std::make_unique_for_overwrite<std::byte[]>(bytes);  // aligned for any scalar
      capacity_ = bytes;
    }
    std::byte* at = storage_.get();
    rows = carve<Row>(at, rowCount);
    rim = carve<RimPixel>(at, rimCount);
    spanLefts = carve<int>(at, padded);
    spanRights = carve<int>(at, padded);
    rimLefts = carve<int>(at, padded);
    rimRights = carve<int>(at, padded);
    std::fill(spanLefts.begin(), spanLefts.end(), kNoLeft);
    std::fill(spanRights.begin(), spanRights.end(), kNoRight);
    std::fill(rimLefts.begin(), rimLefts.end(), kNoLeft);
    std::fill(rimRights.begin(), rimRights.end(), kNoRight);
  }

private:
  // `count` elements made without a value (a Row as none, a rim pixel or column unwritten) at
  // `at`, which moves past them. Every element is made of ints, so `at` stays aligned.
  template <class T>
  static std::span<T> carve(std::byte*& at, std::size_t count) {
    static_assert(alignof(T) == alignof(int) && sizeof(T) % sizeof(int) == 0);
    T* const first = reinterpret_cast<T*>(at);
    std::uninitialized_default_construct_n(first, count);
    at += count * sizeof(T);
    return std::span<T>(std::launder(first), count);
  }

  std::unique_ptr<std::byte[]> storage_;
  std::size_t capacity_ = 0;  // bytes
};

// The coverage of the rim pixel in column u (relative to the centre cell) of a shape's row,
// 0 where the row has none. The rim pixels of a side (left of the span, right of it; a row
// without a span has them all on the left) are nearly always one a column, so the pixel is
// first looked for where that puts it.
inline int rimCoverageAt(const DiscShape& shape, const DiscShape::Row& row, std::int64_t u) {
  if (u < row.left || u > row.right) return 0;
  const DiscShape::RimPixel* rim = shape.rim.data() + row.firstRim;
  const std::int64_t count = row.rimCount;
  const bool leftSide = row.spanLeft > row.spanRight || u < row.spanLeft;
  const std::int64_t guess = leftSide ? u - row.left : count - 1 - (row.right - u);
  if (guess >= 0 && guess < count && rim[guess].column == u) return rim[guess].coverage;
  for (std::int64_t i = 0; i < count; ++i) {
    if (rim[i].column == u) return rim[i].coverage;
  }
  return 0;
}

// The rows k of a shape whose first row lies on canvas row `top` that fall on a canvas of
// `height` rows: first … end − 1.
struct ShapeRowsOnCanvas {
  std::int64_t first;
  std::int64_t end;
};
inline ShapeRowsOnCanvas shapeRowsOnCanvas(const DiscShape& shape, std::int64_t top, int height) {
  return {std::max<std::int64_t>(0, -top), std::min<std::int64_t>(static_cast<std::int64_t>(shape.rows.size()), height - top)};
}

// Shapes for one radius at a time, one per sub-pixel offset. The first disc of a radius is
// drawn directly; from the second disc of the same radius on every offset is worth recording
// (a run of discs of one radius brings each offset up again and again). So discs whose radius
// changes from one to the next (tapers) are drawn directly at no extra cost. Offsets come in
// fours that are one disc turned a quarter round at a time: a walk records its own shape and
// the one a quarter turn on, and a shape whose half turn is recorded is copied from it, so
// under a third of a radius's shapes are walked.
class DiscShapeCache {
public:
  // Seen: to be recorded before it is drawn.
  enum class Slot : std::uint8_t { Unseen, Seen, Recorded };

  // The slot of radius r at offset (sx, sy), 0 … 15 each; a new radius forgets every shape.
  Slot& slot(double r, int sx, int sy, DiscShape*& shape) {
    const bool radiusRepeats = r == radius_;
    if (!radiusRepeats) {
      radius_ = r;
      slots_.fill(Slot::Unseen);
      walks = 0;
    }
    const std::size_t index = static_cast<std::size_t>(sy) * kOffsets + static_cast<std::size_t>(sx);
    shape = &shapes_[index];
    Slot& slot = slots_[index];
    if (radiusRepeats && slot == Slot::Unseen) slot = Slot::Seen;
    return slot;
  }

  // The shape recorded for offset (sx, sy) of the current radius, if there is one.
  const DiscShape* recorded(int sx, int sy) const {
    const std::size_t index = static_cast<std::size_t>(sy) * kOffsets + static_cast<std::size_t>(sx);
    return slots_[index] == Slot::Recorded ? &shapes_[index] : nullptr;
  }

  // The shape of offset (sx, sy) of the current radius to record into, if it is not recorded
  // yet; recordedNow(sx, sy) once it is.
  DiscShape* unrecorded(int sx, int sy) {
    const std::size_t index = static_cast<std::size_t>(sy) * kOffsets + static_cast<std::size_t>(sx);
    return slots_[index] == Slot::Recorded ? nullptr : &shapes_[index];
  }
  void recordedNow(int sx, int sy) {
    slots_[static_cast<std::size_t>(sy) * kOffsets + static_cast<std::size_t>(sx)] = Slot::Recorded;
  }

  // Scratch of the recording: the rim walk's pixels before they are sorted into rows (those of
  // coverage 0 apart: they only bound spans), and the spans of a disc turned from the walk.
  struct WalkedPixel {
    int column;
    int row;
    int coverage;
  };
  std::vector<WalkedPixel> walked;
  std::vector<WalkedPixel> uncovered;
  int walks = 0;  // shapes of the current radius recorded by walking (the others are turned)
  std::vector<int> rowCounts;
  SpanBuffer turnedSpans;

private:
  static constexpr std::size_t kOffsets = 16;
  double radius_ = -1.0;
  std::array<Slot, kOffsets * kOffsets> slots_{};
  std::array<DiscShape, kOffsets * kOffsets> shapes_{};
};

// A row's rim pixels by column. The walk hands a side row its pixels a pair at a time (see
// recordDiscShape), the right side's pair first and the left side's later, and a bottom row
// those right of the anchor first and those left of it at the end: two runs in order, the
// second wholly left of the first, which a rotation puts in order (most rows; at radius 100,
// 171 of a shape's 202). Along the top the walk goes leftwards: such a row, reversed, is in
// order. The few rows where octants meet take an insertion sort, without the buffer
// std::stable_sort allocates per call. The order among pixels of one column does not matter:
// they are one pixel met twice, with one coverage.
inline void sortByColumn(DiscShape::RimPixel* first, DiscShape::RimPixel* last) {
  if (last - first < 2) return;
  DiscShape::RimPixel* descent = first + 1;
  while (descent != last && descent->column >= (descent - 1)->column) ++descent;
  if (descent == last) return;
  DiscShape::RimPixel* rest = descent + 1;
  while (rest != last && rest->column >= (rest - 1)->column) ++rest;
  if (rest == last && (last - 1)->column <= first->column) {
    std::rotate(first, descent, last);
    return;
  }
  if (first->column > (last - 1)->column) std::reverse(first, last);
  for (DiscShape::RimPixel* next = first + 1; next < last; ++next) {
    const DiscShape::RimPixel pixel = *next;
    DiscShape::RimPixel* place = next;
    for (; place != first && (place - 1)->column > pixel.column; --place) *place = *(place - 1);
    *place = pixel;
  }
}

// Whether a disc is worth recording on a canvas of width x height: recording walks the whole
// rim, and a disc far larger than the canvas (radius over twice its longer side) draws only the
// little of it on the canvas when drawn directly.
inline bool discFitsRecording(double r, int width, int height) { return !(r > 2.0 * std::max(width, height)); }

namespace detail {

// Rim pixels counted per row as they come, rows base … base + rowsCounted − 1 (relative to the
// centre cell): every pixel a walk visits lies within discReach(r) of the centre, so these hold
// them all. counts[e + 1] counts row base + e; allCounted turns false should one fall outside.
struct RowTally {
  int base;
  int rowsCounted;
  std::vector<int>& counts;
  bool allCounted = true;

  RowTally(double r, std::vector<int>& scratch)
      : base(-(static_cast<int>(discReach(r)) + 2)), rowsCounted(-2 * base + 1), counts(scratch) {
    counts.assign(static_cast<std::size_t>(rowsCounted) + 1, 0);
  }
  void add(int row) {
    const int entry = row - base;
    if (entry >= 0 && entry < rowsCounted) {
      ++counts[static_cast<std::size_t>(entry) + 1];
    } else {
      allCounted = false;
    }
  }
};

// The rows of a shape from the rim pixels a walk kept, counted per row by `tally`, and the
// spans it bounded. `inColumnOrder`: the pixels of each row come in column order already.
inline void shapeFromWalk(const std::vector<DiscShapeCache::WalkedPixel>& walked, RowTally& tally,
                          const SpanBuffer& spans, bool inColumnOrder, DiscShape& shape) {
  int base = tally.base;
  int rowsCounted = tally.rowsCounted;
  std::vector<int>& counts = tally.counts;
  if (!tally.allCounted) {
    // Not met (see above); counted again over the rows the pixels span, to stay safe.
    const auto [low, high] = std::minmax_element(walked.begin(), walked.end(),
                                                 [](const auto& a, const auto& b) { return a.row < b.row; });
    base = low->row;
    rowsCounted = high->row - base + 1;
    counts.assign(static_cast<std::size_t>(rowsCounted) + 1, 0);
    for (const auto& p : walked) ++counts[static_cast<std::size_t>(p.row - base) + 1];
  }
  // The rows: those with rim pixels and those of the interior.
  int top = spans.rowOffset;
  int bottom = spans.rowOffset + spans.rowsInDisc - 1;
  for (int e = 0; e < rowsCounted; ++e) {
    if (counts[static_cast<std::size_t>(e) + 1] == 0) continue;
    top = std::min(top, base + e);
    break;
  }
  for (int e = rowsCounted - 1; e >= 0; --e) {
    if (counts[static_cast<std::size_t>(e) + 1] == 0) continue;
    bottom = std::max(bottom, base + e);
    break;
  }
  // A counting sort into rows (counts becomes each row's first index, then its cursor), then
  // each row by column.
  for (std::size_t e = 1; e < counts.size(); ++e) counts[e] += counts[e - 1];
  shape.firstRow = top;
  const std::size_t rows = static_cast<std::size_t>(bottom - top + 1);
  shape.layOut(rows, walked.size());
  for (std::size_t k = 0; k < rows; ++k) {
    const int e = static_cast<int>(k) + top - base;
    if (e < 0 || e >= rowsCounted) continue;
    shape.rows[k].firstRim = counts[static_cast<std::size_t>(e)];
    shape.rows[k].rimCount = counts[static_cast<std::size_t>(e) + 1] - counts[static_cast<std::size_t>(e)];
  }
  for (const auto& p : walked) {
    shape.rim[static_cast<std::size_t>(counts[static_cast<std::size_t>(p.row - base)]++)] =
        DiscShape::RimPixel{p.column, p.coverage};
  }
  for (std::size_t k = 0; k < rows; ++k) {
    DiscShape::Row& row = shape.rows[k];
    const int entry = static_cast<int>(k) + top - spans.rowOffset;
    if (entry >= 0 && entry < spans.rowsInDisc) {
      const int left = spans.leftBounds[static_cast<std::size_t>(entry)];
      const int right = spans.rightBounds[static_cast<std::size_t>(entry)];
      if (left != SpanBuffer::kNoLeftBound && right != SpanBuffer::kNoRightBound && left <= right) {
        row.spanLeft = row.left = shape.spanLefts[k] = left;
        row.spanRight = row.right = shape.spanRights[k] = right;
      }
    }
    if (row.rimCount > 0) {
      DiscShape::RimPixel* const first = shape.rim.data() + row.firstRim;
      if (!inColumnOrder) sortByColumn(first, first + row.rimCount);
      const int firstColumn = shape.rimLefts[k] = first->column;
      const int lastColumn = shape.rimRights[k] = (first + row.rimCount - 1)->column;
      row.left = row.left > row.right ? firstColumn : std::min(row.left, firstColumn);
      row.right = std::max(row.right, lastColumn);
    }
  }
}

}  // namespace detail

// A disc and its half turn. The disc at offset (16 − sx, 16 − sy) (16 being the next cell's 0)
// is the disc at (sx, sy) turned half round: its pixel (mx − i, my − j) lies where pixel (i, j)
// of the first does, mx = 1 for sx > 0, else 0 (my likewise). Everything the rim walk decides
// turns with it: the midpoint test has the same value at turned points (the turn changes its
// constant part by the integer 64 − 8sx + 64 − 8sy, which is rounded with it), edge
// distances only change the sign of dx and dy, each octant's step rule and end test turn into
// those of the octant opposite (bottom rightwards into top leftwards, and so on), and for
// sx > 0 the spans' split between columns 0 and 1 turns into itself with the sides swapped
// (for sx = 0 column 0 stays on the left, so those discs are always walked). Only the start
// does not turn: each walk starts at its own anchor, from a square root. So where the first
// walk closes on its anchor and the second's anchor is the turned point where the first stood
// at the top, the second walk is the first one turned, visit for visit, started halfway round.
// Such a shape is turned instead of walked: a copy, without the walk, its coverage or a sort.
inline bool turnsInto(const DiscShape& from, const QuantisedDisc& disc) {
  if (disc.sx == 0 || !from.walk.closes()) return false;
  const int my = disc.sy == 0 ? 0 : 1;
  return rimAnchor(disc) == RimPoint{1 - from.walk.top.i, my - from.walk.top.j};
}

// `to` as `from` turned half round (pixel (i, j) to (1 − i, my − j): turns are only taken
// for sx > 0); needs turnsInto(from, disc) for the disc `to` stands for.
inline void turnDiscShape(const DiscShape& from, int my, DiscShape& to) {
  const auto turnColumn = [](int column) { return 1 - column; };
  const std::size_t rows = from.rows.size();
  const int rimPixels = static_cast<int>(from.rim.size());
  to.firstRow = my - (from.firstRow + static_cast<int>(rows) - 1);
  // Rows come bottom up and each row's pixels right to left: the rim laid out backwards.
  to.layOut(rows, from.rim.size());
  for (std::size_t n = 0; n < from.rim.size(); ++n) {
    const DiscShape::RimPixel& p = from.rim[from.rim.size() - 1 - n];
    to.rim[n] = DiscShape::RimPixel{turnColumn(p.column), p.coverage};
  }
  for (std::size_t k = 0; k < rows; ++k) {
    const std::size_t fromK = rows - 1 - k;
    const DiscShape::Row& row = from.rows[fromK];
    DiscShape::Row& turned = to.rows[k];
    turned.firstRim = rimPixels - (row.firstRim + row.rimCount);
    turned.rimCount = row.rimCount;
    if (row.spanLeft <= row.spanRight) {
      turned.spanLeft = to.spanLefts[k] = turnColumn(row.spanRight);
      turned.spanRight = to.spanRights[k] = turnColumn(row.spanLeft);
    }
    if (row.left <= row.right) {
      turned.left = turnColumn(row.right);
      turned.right = turnColumn(row.left);
    }
    if (row.rimCount > 0) {
      to.rimLefts[k] = turnColumn(from.rimRights[fromK]);
      to.rimRights[k] = turnColumn(from.rimLefts[fromK]);
    }
  }
  const auto turn = [my](RimPoint p) { return RimPoint{1 - p.i, my - p.j}; };
  // The turned walk starts at the top of the first and closes there.
  to.walk = RimWalkEnds{turn(from.walk.top), turn(from.walk.left), turn(from.walk.anchor), turn(from.walk.right),
                        turn(from.walk.top)};
}

// A disc and its quarter turn. The disc at offset (sx', sy') = (16 − sy, sx) is the disc at
// (sx, sy) turned a quarter round: its pixel (my − j, i) lies where pixel (i, j) of the first
// does. As with the half turn (see turnsInto), the walk turns with it, each octant into the one
// two before it (the right side upwards into the bottom rightwards, and so on), started a
// quarter round on: where the first walk closes on its anchor and the second's anchor is the
// turned point where the first stood on the right, the second walk visits the first one's
// pixels turned. The spans are not turned but bounded again, by the turned pixels as the second
// walk bounds its own (coverage 0 included), split at its own column 0. So the shape is built
// without walking, from the first shape's rows and, while they are at hand, the first walk's
// pixels of coverage 0.
inline void recordQuarterTurn(const QuantisedDisc& disc, DiscShapeCache& cache, const DiscShape& from) {
  QuantisedDisc turned = disc;
  turned.sx = (16 - disc.sy) % 16;
  turned.sy = disc.sx;
  turned.xs = turned.sx / 16.0;
  turned.ys = turned.sy / 16.0;
  DiscShape* const to = cache.unrecorded(turned.sx, turned.sy);
  const int my = disc.sy == 0 ? 0 : 1;
  const auto turn = [my](RimPoint p) { return RimPoint{my - p.j, p.i}; };
  // Offsets (0, 0) and (8, 8) turn into themselves.
  if (to == nullptr || to == &from || !from.walk.closes() || !(rimAnchor(turned) == turn(from.walk.right))) return;

  SpanBuffer& spans = cache.turnedSpans;
  spans.reset(turned.r, turned.xs, turned.ys);
  detail::RowTally tally(turned.r, cache.rowCounts);
  // The pixels from the first shape's rows bottom up, so that each turned row (a column of the
  // first) gets its pixels in column order and needs no sort.
  auto& walked = cache.walked;
  walked.clear();
  for (std::size_t k = from.rows.size(); k-- > 0;) {
    const DiscShape::Row& row = from.rows[k];
    const int column = my - (from.firstRow + static_cast<int>(k));
    for (int n = row.firstRim; n < row.firstRim + row.rimCount; ++n) {
      const DiscShape::RimPixel& p = from.rim[static_cast<std::size_t>(n)];
      walked.push_back({column, p.column, p.coverage});
      spans.narrow(column, p.column);
      tally.add(p.column);
    }
  }
  for (const DiscShapeCache::WalkedPixel& p : cache.uncovered) spans.narrow(my - p.row, p.column);
  detail::shapeFromWalk(walked, tally, spans, true, *to);
  to->walk = RimWalkEnds{turn(from.walk.right), turn(from.walk.top), turn(from.walk.left), turn(from.walk.anchor),
                         turn(from.walk.right)};
  cache.recordedNow(turned.sx, turned.sy);
}

// Records the disc's rim walk and spans, as largeDisc draws them, into `shape`; and the shape
// of the disc a quarter turn on (see recordQuarterTurn), where that is not recorded yet.
inline void recordDiscShape(const QuantisedDisc& disc, const DiscRadius& radius, SpanBuffer& spans,
                            DiscShapeCache& cache, DiscShape& shape) {
  spans.reset(disc.r, disc.xs, disc.ys);
  DiscCoverage coverageOf(radius);
  auto& walked = cache.walked;
  auto& uncovered = cache.uncovered;
  walked.clear();
  uncovered.clear();
  ++cache.walks;
  detail::RowTally tally(disc.r, cache.rowCounts);
  const auto rim = [&](int i, int j, double f) INKLINE_INLINE_LAMBDA {
    const int coverage = coverageOf.at(f);
    if (coverage < 1) {
      uncovered.push_back({i, j, 0});
      return;
    }
    walked.push_back({i, j, coverage});
    tally.add(j);
  };
  shape.walk = traceDiscRim(disc, [&](int i, int j, int qi, int qj, double fP, double fQ) INKLINE_INLINE_LAMBDA {
    // Left to right where both lie on one row (the sides), so that rows come in runs in order.
    const bool qFirst = qi < i;
    rim(qFirst ? qi : i, qFirst ? qj : j, qFirst ? fQ : fP);
    rim(qFirst ? i : qi, qFirst ? j : qj, qFirst ? fP : fQ);
    spans.narrow(i, j);
    spans.narrow(qi, qj);
  });
  detail::shapeFromWalk(walked, tally, spans, false, shape);
  recordQuarterTurn(disc, cache, shape);
}

// The shape of `disc`, turned from its half-turn partner where that is recorded and turns into
// it, else walked.
inline void recordOrTurnDiscShape(const QuantisedDisc& disc, const DiscRadius& radius, SpanBuffer& spans,
                                  DiscShapeCache& cache, DiscShape& shape) {
  const int partnerY = (16 - disc.sy) % 16;
  const DiscShape* partner = disc.sx == 0 ? nullptr : cache.recorded(16 - disc.sx, partnerY);
  if (partner != nullptr && turnsInto(*partner, disc)) {
    turnDiscShape(*partner, disc.sy == 0 ? 0 : 1, shape);
    return;
  }
  recordDiscShape(disc, radius, spans, cache, shape);
}

// A row's rim pixels (in column order, relative to cellX) that lie outside columns
// runLeft … runRight, as the run left of those columns and the run right of them, each clipped
// to columns 0 … width − 1: hand(from, to) for each that is not empty. No run: runLeft above
// every column.
template <class Hand>
void forRimOutsideRun(const DiscShape::RimPixel* first, const DiscShape::RimPixel* last, std::int64_t cellX, int width,
                      int runLeft, int runRight, Hand&& hand) {
  const DiscShape::RimPixel* leftEnd = first;
  while (leftEnd != last && cellX + leftEnd->column < runLeft) ++leftEnd;
  const DiscShape::RimPixel* rightBegin = last;
  while (rightBegin != leftEnd && cellX + (rightBegin - 1)->column > runRight) --rightBegin;
  const auto clipped = [&](const DiscShape::RimPixel* from, const DiscShape::RimPixel* to) {
    while (from != to && cellX + from->column < 0) ++from;
    while (to != from && cellX + (to - 1)->column >= width) --to;
    if (from != to) hand(from, to);
  };
  clipped(first, leftEnd);
  clipped(rightBegin, last);
}

// The recorded disc with its centre cell at (cellX, cellY), clipped to the canvas.
template <class Sink>
void replayDiscShape(const DiscShape& shape, std::int64_t cellX, std::int64_t cellY, int width, int height,
                     Sink& sink) {
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
    const DiscShape::RimPixel* first = shape.rim.data() + row.firstRim;
    forRimOutsideRun(first, first + row.rimCount, cellX, width, hasRun ? settledLeft : INT_MAX,
                     hasRun ? settledRight : INT_MIN, [&](const DiscShape::RimPixel* from, const DiscShape::RimPixel* to) {
                       for (const DiscShape::RimPixel* p = from; p != to; ++p) {
                         sink.pixel(static_cast<int>(cellX + p->column), y, p->coverage);
                       }
                     });
    if (row.spanLeft > row.spanRight) continue;
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
  const double reach = discReach(r);
  if (!(x - reach < width) || !(x + reach > 0.0) || !(y - reach < height) || !(y + reach > 0.0)) return;

  if (!discFitsRecording(r, width, height)) {
    largeDisc(width, height, x, y, r, radius, spans, sink);
    return;
  }
  const QuantisedDisc disc = quantiseDisc(x, y, r);
  if (fillIfDiscHoldsCanvas(disc, width, height, sink)) return;
  DiscShape* shape = nullptr;
  DiscShapeCache::Slot& slot = cache.slot(r, disc.sx, disc.sy, shape);
  if (slot == DiscShapeCache::Slot::Unseen) {
    slot = DiscShapeCache::Slot::Seen;
    largeDisc(width, height, x, y, r, radius, spans, sink);
    return;
  }
  if (slot == DiscShapeCache::Slot::Seen) {
    recordOrTurnDiscShape(disc, radius, spans, cache, *shape);
    slot = DiscShapeCache::Slot::Recorded;
  }
  replayDiscShape(*shape, disc.cellX, disc.cellY, width, height, sink);
}

}  // namespace raster
