// Which pixels a disc covers, and how much: the scan conversion of both disc rasterisers,
// apart from any pixel format. A sink receives
//   pixel(px, py, coverage)   one pixel at coverage 1 … 255 (a pixel may come more than once)
//   span(py, x0, x1)          pixels x0 … x1 of row py, fully covered
// always inside 0 … width − 1, 0 … height − 1. A sink may also provide
//   skips(px, py)             true: the pixel would not change, whatever its coverage
//   settledRun(py, l, r)      the same for the pixels l … r of row py, false: none known
// which are asked before the coverage is worked out. The stamp routines plug in a sink that
// blends; tests plug in one that records.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "raster/DiscRadius.h"
#include "raster/EdgeCoverage.h"
#include "raster/FloorToInt.h"
#include "raster/InlineLambda.h"
#include "raster/SpanBuffer.h"

namespace raster {

// Every pixel either rasteriser draws for a disc lies within r + 2.1 px of its centre; this
// bound, with a margin, culls discs and bounds what they touch.
inline double discReach(double r) { return r + 3.0; }

namespace detail {

template <class Sink>
bool sinkSkips(Sink& sink, int px, int py) {
  if constexpr (requires { sink.skips(px, py); }) {
    return sink.skips(px, py);
  } else {
    return false;
  }
}

// The sink's settled run of row py (columns left … right), if it has one.
template <class Sink>
bool settledRun(Sink& sink, int py, int& left, int& right) {
  if constexpr (requires { sink.settledRun(py, left, right); }) {
    return sink.settledRun(py, left, right);
  } else {
    return false;
  }
}

constexpr int ceilDiv16(int v) { return v >= 0 ? (v + 15) / 16 : -((-v) / 16); }

}  // namespace detail

// Small discs (r < 5): every pixel of the bounding box gets its own coverage.
// Box: x0 = trunc(x − r), x1 = trunc(x + r + 0.5), the same for rows, clipped to the canvas.
// f is stepped along a row by f += dx, dx += 1/r (dx from (2(x0 − x) + 1)/(2r)), and from row
// to row the same way in y: two additions a pixel, no square root.
template <class Sink>
void smallDisc(int width, int height, double x, double y, double r, const DiscRadius& radius, Sink& sink) {
  if (width <= 0 || height <= 0) return;
  if (!(r > 0.0 && r <= kMaxDiscRadiusPx) || !std::isfinite(x) || !std::isfinite(y)) return;
  // x0 ≥ width ⇔ x − r ≥ width, x1 < 0 ⇔ x + r + 0.5 ≤ −1: tested before converting, so the
  // conversions below only ever see bounded values.
  const double left = x - r;
  const double right = x + r + 0.5;
  const double top = y - r;
  const double bottom = y + r + 0.5;
  if (!(left < width) || !(right > -1.0) || !(top < height) || !(bottom > -1.0)) return;

  int x0 = static_cast<int>(left);
  int x1 = static_cast<int>(right);
  int y0 = static_cast<int>(top);
  int y1 = static_cast<int>(bottom);
  if (x0 < 0) x0 = 0;
  if (x1 >= width) x1 = width - 1;
  if (y0 < 0) y0 = 0;
  if (y1 >= height) y1 = height - 1;

  DiscCoverage coverageOf(radius);
  const double inverseRadius = 1.0 / r;
  const double rowStepStart = (2.0 * (x0 - x) + 1.0) / (2.0 * r);
  double rowF = discEdgeDistance(x0 - x, y0 - y, r);
  double columnStep = (2.0 * (y0 - y) + 1.0) / (2.0 * r);
  for (int py = y0; py <= y1; ++py) {
    // The row's settled pixels are stepped past. Blending a pixel can only grow the run by
    // that pixel, never over one still to come in the row, so the run as the row starts holds.
    int settledLeft = 0;
    int settledRight = -1;
    detail::settledRun(sink, py, settledLeft, settledRight);
    double f = rowF;
    double rowStep = rowStepStart;
    // The row in three stretches (before the run, the run, after it), so that no pixel asks
    // whether it lies in the run; f steps through the run all the same, as it must. Inlined in
    // both places: GCC kept it out of line for some sinks, depending on unrelated code in the
    // same file, and a scene of many small discs then ran 9 % slower.
    int px = x0;
    const auto draw = [&](int last) INKLINE_INLINE_LAMBDA {
      for (; px <= last; ++px) {
        const int coverage = coverageOf.at(f);
        if (coverage > 0) sink.pixel(px, py, coverage);
        f += rowStep;
        rowStep += inverseRadius;
      }
    };
    const int runFirst = std::max(settledLeft, x0);
    const int runLast = std::min(settledRight, x1);
    if (runFirst <= runLast) {
      draw(runFirst - 1);
      for (; px <= runLast; ++px) {
        f += rowStep;
        rowStep += inverseRadius;
      }
    }
    draw(x1);
    rowF += columnStep;
    columnStep += inverseRadius;
  }
}

// A large disc is drawn around its centre quantised to 1/16 px: cell (cellX, cellY) =
// (floor x, floor y), offset sx = floor(16 (x − cellX) + 0.5), xs = sx / 16 (likewise y).
// An offset of 16 is taken as the next cell's 0, the same centre: the rim walk, its coverage
// and the spans all move with the cell, bit for bit (the midpoint test's constant part loses
// exactly 16²/4 = 64, which its term in X2 gives back one cell on; every other quantity is a
// difference from the centre), so the discs of both share one recorded shape. Pixels (i, j)
// are relative to the cell.
struct QuantisedDisc {
  std::int64_t cellX = 0;
  std::int64_t cellY = 0;
  int sx = 0;  // 0 … 15
  int sy = 0;
  double xs = 0.0;  // 0 … 1
  double ys = 0.0;
  double r = 0.0;
};

// Needs finite x, y (the callers bound them first: within reach of the canvas).
inline QuantisedDisc quantiseDisc(double x, double y, double r) {
  QuantisedDisc disc;
  disc.cellX = floorToInt(x);
  disc.cellY = floorToInt(y);
  const auto cellX = static_cast<double>(disc.cellX);
  const auto cellY = static_cast<double>(disc.cellY);
  disc.sx = static_cast<int>(floorToInt(16.0 * (x - cellX) + 0.5));
  disc.sy = static_cast<int>(floorToInt(16.0 * (y - cellY) + 0.5));
  if (disc.sx == 16) {
    disc.sx = 0;
    ++disc.cellX;
  }
  if (disc.sy == 16) {
    disc.sy = 0;
    ++disc.cellY;
  }
  disc.xs = disc.sx / 16.0;
  disc.ys = disc.sy / 16.0;
  disc.r = r;
  return disc;
}

// The part of a rim walk that is drawn, relative to the centre cell: rows firstRow … lastRow
// and columns firstColumn … lastColumn. Steps elsewhere are walked (the walk's path never
// changes) but not visited, and long stretches of them are passed over at once: stretches on
// undrawn rows silently; stretches along the top or bottom in undrawn columns on drawn rows
// are reported as the rows they bound (see traceDiscRim). Such a stretch never crosses from
// columns ≤ splitColumn to columns beyond it, so a report speaks for one side of the disc.
struct RimWindow {
  std::int64_t firstRow = INT64_MIN / 4;
  std::int64_t lastRow = INT64_MAX / 4;
  std::int64_t firstColumn = INT64_MIN / 4;
  std::int64_t lastColumn = INT64_MAX / 4;
  std::int64_t splitColumn = 0;
  bool containsRow(std::int64_t j) const { return j >= firstRow && j <= lastRow; }
  bool containsColumn(std::int64_t i) const { return i >= firstColumn && i <= lastColumn; }
};

// A pixel of a rim walk, relative to the centre cell.
struct RimPoint {
  int i = 0;
  int j = 0;
  bool operator==(const RimPoint&) const = default;
};

// Where the rim walk of a large disc starts: the bottom pixel in column ceil(xs),
// j = floor(ys + sqrt(r² − (i − xs)²) + 0.5).
inline RimPoint rimAnchor(const QuantisedDisc& disc) {
  const int i = static_cast<int>(std::ceil(disc.xs));
  const double dx = i - disc.xs;
  return {i, static_cast<int>(std::floor(disc.ys + std::sqrt(disc.r * disc.r - dx * dx) + 0.5))};
}

// Where a rim walk stood: at its start, after its second, fourth and sixth octant (on the
// right, the top and the left) and at its end. A walk whose end is its anchor has gone round
// the circle and closed.
struct RimWalkEnds {
  RimPoint anchor;
  RimPoint right;
  RimPoint top;
  RimPoint left;
  RimPoint end;
  bool closes() const { return end == anchor; }
};

// The rim walk of a large disc (1 ≤ r ≤ kMaxDiscRadiusPx): eight octants from the bottom of the
// circle, anchor i = ceil(xs), j = floor(ys + sqrt(r² − (i − xs)²) + 0.5), with the integer
// midpoint test
//   F(X, Y) = (8X − sx/2)² + (8Y − sy/2)² − 64r²
// (the circle in 1/8 px), taken between the two candidates of each step. Its only non-integer
// part, sx²/4 + sy²/4 − 64r², is rounded once (halves up); with doubled coordinates
// X2 = 2X, Y2 = 2Y the rest is exact:  F = 16·X2² − 4·X2·sx + 16·Y2² − 4·Y2·sy + C.
//
// Every step on a drawn row calls visit(i, j, qi, qj, fP, fQ): the step's pixel P = (i, j), its
// partner Q = (qi, qj) (P's neighbour along the octant's minor axis: outward when P is inside,
// inward otherwise) and their edge distances. The anchor itself is not a step.
//
// Passing over rows that are not drawn: where the walk goes along a side (one row a step) the
// pixel it stands on at row j is the one whose left and right edges the circle passes between,
//   right side: F(2i − 1, 2j) < 0 ≤ F(2i + 1, 2j)     left side: F(2i + 1, 2j) < 0 ≤ F(2i − 1, 2j)
// (and along the top and bottom, one column a step, the same with rows and columns swapped),
// as long as it stood on such a pixel before and the circle is less steep than 45° to the
// walk's direction: the minor move is taken exactly when the next row's pixel lies one further.
// So where the walk stands on that pixel, the circle is under 45° at both ends of a stretch
// of undrawn rows (by 4 px; it only gets flatter or steeper monotonically within an octant), and the octant does not end within it, the walk is
// set to the stretch's end directly: O(1) instead of a step per row.
//
// Passing over undrawn columns of drawn rows: along the top and bottom a step's partner is in
// its own column, so a stretch of steps in columns off the window draws no pixel; all it does
// is bound rows, and on one side of the split any column off the window bounds a row as any
// other does once the row is clipped to the window (on the left of the window a left bound
// from there starts the row at the window's edge and a right bound empties it; the mirror on
// the right). So only which rows the stretch bounds matters: with the walk standing on a step
// (i0, j0) and the stretch's last step (i1, j1), its pixels cover the rows between j0 and j1,
// and its partners add at most one row beyond each end. Along a row of one octant f grows
// with the distance from the centre column, and the row nearer the cap holds the end nearer
// that column, so the partner goes outward past the outer row exactly when f < 0 at the
// nearer end, and inward past the inner row exactly when f ≥ 0 at the farther one. The
// stretch is reported as passOver(i1, firstRow, lastRow) (its own first step included, which
// repeats a bound already made).
//
// Returns where the walk stood at its start, after its even octants and at its end.
//
// kWindowed false: the window is every row and column, so nothing is ever passed over and no
// step asks (each asking was a call, which also kept the walk's position out of registers).
namespace detail {
template <bool kWindowed, class Visit, class PassOver>
RimWalkEnds traceDiscRimIn(const QuantisedDisc& disc, Visit&& visit, const RimWindow& window, PassOver&& passOver) {
  const int sx = disc.sx;
  const int sy = disc.sy;
  const double xs = disc.xs;
  const double ys = disc.ys;
  const double r = disc.r;
  const std::int64_t constantPart =
      static_cast<std::int64_t>(std::floor(sx * sx / 4.0 + sy * sy / 4.0 - 64.0 * r * r + 0.5));
  // F at the doubled midpoint (x2, y2)
  const auto midpointTest = [&](std::int64_t x2, std::int64_t y2) {
    return 16 * x2 * x2 - 4 * x2 * sx + 16 * y2 * y2 - 4 * y2 * sy + constantPart;
  };

  RimWalkEnds ends;
  ends.anchor = rimAnchor(disc);
  int i = ends.anchor.i;
  int j = ends.anchor.j;
  bool standsOnStep = false;  // the anchor is not a step

  // One step: the major move (mi, mj) always, the minor move (ni, nj) when the midpoint test
  // says the circle has been crossed: F ≥ 0 where the minor move points inward (odd octants),
  // F < 0 where it points outward (even octants). (oi, oj) is the octant's outward direction.
  const auto step = [&](int mi, int mj, int ni, int nj, bool minorPointsInward, int oi, int oj) INKLINE_INLINE_LAMBDA {
    const std::int64_t f = midpointTest(2 * i + 2 * mi + ni, 2 * j + 2 * mj + nj);
    i += mi;
    j += mj;
    if (minorPointsInward ? f >= 0 : f < 0) {
      i += ni;
      j += nj;
    }
    standsOnStep = true;
    if (kWindowed && !window.containsRow(j)) return;
    const double fP = discEdgeDistance(i - xs, j - ys, r);
    const int qi = fP < 0.0 ? i + oi : i - oi;
    const int qj = fP < 0.0 ? j + oj : j - oj;
    visit(i, j, qi, qj, fP, discEdgeDistance(qi - xs, qj - ys, r));
  };
  // H, V: the current pixel's offset from the centre in 1/16 px.
  const auto h = [&] { return 16 * i - sx; };
  const auto v = [&] { return 16 * j - sy; };

  // The pixel the circle passes through at `line` (a row when `alongRows`, else a column), on
  // the side where the other coordinate grows outward when `outward` is +1 (right, bottom) or
  // shrinks when −1 (left, top): F(2c − outward) < 0 ≤ F(2c + outward). False where the line
  // misses the circle.
  const auto pixelOnCircle = [&](std::int64_t line, bool alongRows, int outward, std::int64_t& c) {
    const auto test = [&](std::int64_t c2) {
      return alongRows ? midpointTest(c2, 2 * line) : midpointTest(2 * line, c2);
    };
    const double own = alongRows ? sx : sy;  // F = 16·c2² − 4·own·c2 + k along the line
    const std::int64_t l2 = 2 * line;
    const std::int64_t k = 16 * l2 * l2 - 4 * l2 * (alongRows ? sy : sx) + constantPart;
    const double discriminant = own * own - 4.0 * static_cast<double>(k);
    if (!(discriminant >= 0.0)) return false;
    c = static_cast<std::int64_t>(std::floor((own + outward * std::sqrt(discriminant)) / 16.0 + 0.5));
    for (int tries = 0; tries < 8; ++tries) {
      if (test(2 * c + outward) < 0) {
        c += outward;
      } else if (test(2 * c - outward) >= 0) {
        c -= outward;
      } else {
        return true;
      }
    }
    return false;
  };
  // Whether the circle at pixel offset (major, minor) from the centre, in 1/16 px, is flat
  // enough to pass over: under 45° by 4 px (|minor| + 64 ≤ |major|), at least 10 px out along
  // the major axis. The walk's pixel is within half a pixel of the circle, so the circle's own
  // slope there is below 1, and one row (column) moves it less than one column (row).
  const auto flat = [](std::int64_t major, std::int64_t minor) {
    const std::int64_t a = major < 0 ? -major : major;
    const std::int64_t b = minor < 0 ? -minor : minor;
    return a >= 160 && b + 64 <= a;
  };
  constexpr std::int64_t kShortest = 16;  // stretches shorter than this are walked
  constexpr std::int64_t kUnbounded = INT64_MAX / 4;
  // No stretch is longer than the circle is wide, which keeps every line tried near it.
  const std::int64_t longest = 2 * static_cast<std::int64_t>(r) + 4;
  int quietSteps = 0;  // after a failed attempt, steps before the next one

  // Along a side (one row a step, dj = ±1; outward +1 on the right, −1 on the left), at most
  // `budget` steps: the steps passed over, 0 when none.
  const auto passRows = [&](int dj, int outward, std::int64_t budget) -> std::int64_t {
    if constexpr (!kWindowed) return 0;
    if (quietSteps > 0) return (--quietSteps, 0);
    const std::int64_t next = std::int64_t{j} + dj;
    std::int64_t undrawn = 0;
    if (next < window.firstRow) undrawn = dj > 0 ? window.firstRow - next : kUnbounded;
    if (next > window.lastRow) undrawn = dj < 0 ? next - window.lastRow : kUnbounded;
    std::int64_t m = std::min({undrawn, budget, longest});
    std::int64_t column = 0;
    if (m < kShortest || !flat(h(), v()) || !pixelOnCircle(j, true, outward, column) || column != i) {
      quietSteps = 4;
      return 0;
    }
    for (; m >= kShortest; m /= 2) {
      const std::int64_t row = std::int64_t{j} + dj * m;
      if (pixelOnCircle(row, true, outward, column) && flat(16 * column - sx, 16 * row - sy)) {
        i = static_cast<int>(column);
        j = static_cast<int>(row);
        standsOnStep = true;
        return m;
      }
    }
    quietSteps = 4;
    return 0;
  };
  // The rows bounded by the steps from (i0, j0) to (i1, j1) along the top or bottom, where
  // the partner points `outward` (+1 at the bottom, −1 at the top) from a pixel inside.
  const auto reportPassed = [&](std::int64_t i0, std::int64_t j0, std::int64_t i1, std::int64_t j1, int outward) {
    const auto offCentre = [&](std::int64_t column) { return std::abs(16 * column - sx); };
    const bool startNearer = offCentre(i0) < offCentre(i1);
    const std::int64_t nearI = startNearer ? i0 : i1, nearJ = startNearer ? j0 : j1;
    const std::int64_t farI = startNearer ? i1 : i0, farJ = startNearer ? j1 : j0;
    std::int64_t outer = nearJ;
    std::int64_t inner = farJ;
    if (discEdgeDistance(static_cast<double>(nearI) - xs, static_cast<double>(nearJ) - ys, r) < 0.0) outer += outward;
    if (discEdgeDistance(static_cast<double>(farI) - xs, static_cast<double>(farJ) - ys, r) >= 0.0) inner -= outward;
    passOver(static_cast<int>(i1), std::min(outer, inner), std::max(outer, inner));
  };
  // Along the bottom or top (one column a step, di = ±1; outward +1 at the bottom, −1 at the
  // top), at most `budget` steps, when every row they reach is undrawn or, standing on a step,
  // every column they reach is off the window on one side of the split.
  const auto passColumns = [&](int di, int outward, std::int64_t budget) -> std::int64_t {
    if constexpr (!kWindowed) return 0;
    if (quietSteps > 0) return (--quietSteps, 0);
    const bool below = j > window.lastRow;
    const bool above = j < window.firstRow;
    const bool offWindow = standsOnStep && !window.containsColumn(i);
    std::int64_t row = 0;
    if ((!below && !above && !offWindow) || budget < kShortest || !flat(v(), h()) ||
        !pixelOnCircle(i, false, outward, row) || row != j) {
      quietSteps = 4;
      return 0;
    }
    const std::int64_t reach = std::min(budget, longest);
    if (below || above) {
      for (std::int64_t m = reach; m >= kShortest; m /= 2) {
        const std::int64_t column = std::int64_t{i} + di * m;
        if (pixelOnCircle(column, false, outward, row) && flat(16 * row - sy, 16 * column - sx) &&
            (below ? row > window.lastRow : row < window.firstRow)) {
          i = static_cast<int>(column);
          j = static_cast<int>(row);
          standsOnStep = true;
          return m;
        }
      }
    }
    if (offWindow) {
      // Columns move one a step, so keeping the last one off the window and on the start's
      // side of the split keeps every one there.
      const bool leftOfWindow = i < window.firstColumn;
      const bool leftOfSplit = i <= window.splitColumn;
      std::int64_t limit = reach;
      if (di > 0) {
        if (leftOfWindow) limit = std::min(limit, window.firstColumn - 1 - i);
        if (leftOfSplit) limit = std::min(limit, window.splitColumn - i);
      } else {
        if (!leftOfWindow) limit = std::min(limit, i - window.lastColumn - 1);
        if (!leftOfSplit) limit = std::min(limit, i - window.splitColumn - 1);
      }
      for (std::int64_t m = limit; m >= kShortest; m /= 2) {
        const std::int64_t column = std::int64_t{i} + di * m;
        if (pixelOnCircle(column, false, outward, row) && flat(16 * row - sy, 16 * column - sx)) {
          reportPassed(i, j, column, row, outward);
          i = static_cast<int>(column);
          j = static_cast<int>(row);
          standsOnStep = true;
          return m;
        }
      }
    }
    quietSteps = 4;
    return 0;
  };

  // The octants that end at a diagonal stop passing 4 px before it (`flat`); aiming a pass at
  // a pixel short of that (`toDiagonal`, the minor offset in px) makes its first try land.
  const double toDiagonal = (std::sqrt(std::max(0.0, 2.0 * r * r - 16.0)) - 4.0) / 2.0 - 1.0;
  const auto upTo = [](double limit, std::int64_t at) {
    return limit > static_cast<double>(at) ? static_cast<std::int64_t>(limit) - at : 0;
  };

  // 1: bottom, right of the anchor
  while (v() > h()) {
    if (passColumns(1, 1, upTo(xs + toDiagonal, i)) == 0) step(1, 0, 0, -1, true, 0, 1);
  }
  // 2: right side, lower half
  for (std::int64_t n = detail::ceilDiv16(v()); n > 0;) {
    const std::int64_t passed = passRows(-1, 1, n);
    if (passed == 0) {
      step(0, -1, 1, 0, false, 1, 0);
      --n;
    } else {
      n -= passed;
    }
  }
  ends.right = {i, j};
  // 3: right side, upper half
  while (h() > -v()) {
    if (passRows(-1, 1, upTo(toDiagonal - ys, -j)) == 0) step(0, -1, -1, 0, true, 1, 0);
  }
  // 4: top, right half
  for (std::int64_t n = detail::ceilDiv16(h()); n > 0;) {
    const std::int64_t passed = passColumns(-1, -1, n);
    if (passed == 0) {
      step(-1, 0, 0, -1, false, 0, -1);
      --n;
    } else {
      n -= passed;
    }
  }
  ends.top = {i, j};
  // 5: top, left half
  while (v() < h()) {
    if (passColumns(-1, -1, upTo(toDiagonal - xs, -i)) == 0) step(-1, 0, 0, 1, true, 0, -1);
  }
  // 6: left side, upper half
  for (std::int64_t n = detail::ceilDiv16(-v()); n > 0;) {
    const std::int64_t passed = passRows(1, -1, n);
    if (passed == 0) {
      step(0, 1, -1, 0, false, -1, 0);
      --n;
    } else {
      n -= passed;
    }
  }
  ends.left = {i, j};
  // 7: left side, lower half
  while (v() < -h()) {
    if (passRows(1, -1, upTo(ys + toDiagonal, j)) == 0) step(0, 1, 1, 0, true, -1, 0);
  }
  // 8: bottom, left half
  for (std::int64_t n = detail::ceilDiv16(-h()); n > 0;) {
    const std::int64_t passed = passColumns(1, 1, n);
    if (passed == 0) {
      step(1, 0, 0, 1, false, 0, 1);
      --n;
    } else {
      n -= passed;
    }
  }
  ends.end = {i, j};
  return ends;
}
}  // namespace detail

template <class Visit, class PassOver>
RimWalkEnds traceDiscRim(const QuantisedDisc& disc, Visit&& visit, const RimWindow& window, PassOver&& passOver) {
  return detail::traceDiscRimIn<true>(disc, std::forward<Visit>(visit), window, std::forward<PassOver>(passOver));
}

// The whole walk, every step visited.
template <class Visit>
RimWalkEnds traceDiscRim(const QuantisedDisc& disc, Visit&& visit) {
  return detail::traceDiscRimIn<false>(disc, std::forward<Visit>(visit), RimWindow{},
                                       [](int, std::int64_t, std::int64_t) {});
}

// Whether a large disc holds the whole canvas with room to spare: every pixel at most r − 4
// from its (quantised) centre. Its rim walk then meets no canvas pixel (each pixel it visits
// lies within two pixels of the circle) and every canvas row lies between the row's rim bounds,
// so what it draws is every row in full: the walk can be left out.
inline bool discHoldsCanvas(const QuantisedDisc& disc, int width, int height) {
  const double cx = static_cast<double>(disc.cellX) + disc.xs;
  const double cy = static_cast<double>(disc.cellY) + disc.ys;
  const double inner = disc.r - 4.0;
  if (!(inner > 0.0)) return false;
  const double dx = std::max(std::abs(cx), std::abs(cx - (width - 1)));
  const double dy = std::max(std::abs(cy), std::abs(cy - (height - 1)));
  return dx * dx + dy * dy <= inner * inner;
}

// Draws a disc that holds the whole canvas (every row in full); false, drawing nothing, for any
// other disc.
template <class Sink>
bool fillIfDiscHoldsCanvas(const QuantisedDisc& disc, int width, int height, Sink& sink) {
  if (!discHoldsCanvas(disc, width, height)) return false;
  for (int py = 0; py < height; ++py) sink.span(py, 0, width - 1);
  return true;
}

// Large discs (r ≥ 5): the rim walk's pixels get their edge coverage and narrow their row's
// span bounds; the rows are then filled strictly between the bounds at full coverage.
template <class Sink>
void largeDisc(int width, int height, double x, double y, double r, const DiscRadius& radius, SpanBuffer& spans,
               Sink& sink) {
  if (width <= 0 || height <= 0) return;
  // Below 1 px the anchor's square root has no real value.
  if (!(r >= 1.0 && r <= kMaxDiscRadiusPx) || !std::isfinite(x) || !std::isfinite(y)) return;
  // A disc whose box misses the canvas by more than its reach draws nothing, and the centre is
  // bounded before it becomes an integer.
  const double reach = discReach(r);
  if (!(x - reach < width) || !(x + reach > 0.0) || !(y - reach < height) || !(y + reach > 0.0)) return;

  const QuantisedDisc disc = quantiseDisc(x, y, r);
  if (fillIfDiscHoldsCanvas(disc, width, height, sink)) return;
  // Rows off the canvas are neither filled nor bounded.
  spans.reset(r, disc.xs, disc.ys, -disc.cellY, height - 1 - disc.cellY);
  DiscCoverage coverageOf(radius);

  const auto rim = [&](int i, int j, double f) {
    const std::int64_t px = disc.cellX + i;
    const std::int64_t py = disc.cellY + j;
    if (px < 0 || px >= width || py < 0 || py >= height) return;
    if (detail::sinkSkips(sink, static_cast<int>(px), static_cast<int>(py))) return;
    const int coverage = coverageOf.at(f);
    if (coverage >= 1) sink.pixel(static_cast<int>(px), static_cast<int>(py), coverage);
  };
  // A step more than a row off the canvas has its partner off it too (one row away at most):
  // it neither draws nor bounds a row the fill below will draw. A step along the top or bottom
  // in a column off the canvas has its partner in that column.
  const RimWindow window{-1 - disc.cellY, height - disc.cellY, -disc.cellX, width - 1 - disc.cellX, spans.splitColumn};
  traceDiscRim(
      disc,
      [&](int i, int j, int qi, int qj, double fP, double fQ) {
        rim(i, j, fP);
        rim(qi, qj, fQ);
        spans.narrow(i, j);
        spans.narrow(qi, qj);
      },
      window,
      [&](int column, std::int64_t firstRow, std::int64_t lastRow) {
        // Only the canvas's rows are kept, so a stretch bounds at most the canvas's height.
        const std::int64_t from = std::max(firstRow, -disc.cellY);
        const std::int64_t to = std::min(lastRow, height - 1 - disc.cellY);
        for (std::int64_t row = from; row <= to; ++row) spans.narrow(column, static_cast<int>(row));
      });

  // Fill: rows bounded on both sides, strictly inside the rim, clipped to the canvas.
  for (int entry = spans.firstLive; entry <= spans.lastLive; ++entry) {
    const int left = spans.leftBounds[static_cast<std::size_t>(entry)];
    const int right = spans.rightBounds[static_cast<std::size_t>(entry)];
    if (left == SpanBuffer::kNoLeftBound || right == SpanBuffer::kNoRightBound) continue;
    const std::int64_t py = disc.cellY + spans.rowOffset + entry;
    if (py < 0 || py >= height) continue;
    std::int64_t from = disc.cellX + left;
    std::int64_t to = disc.cellX + right;
    if (from < 0) from = 0;
    if (to > width - 1) to = width - 1;
    if (from > to) continue;
    sink.span(static_cast<int>(py), static_cast<int>(from), static_cast<int>(to));
  }
}

}  // namespace raster
