// Which pixels a disc covers, and how much: the scan conversion of both disc rasterisers,
// apart from any pixel format. A sink receives
//   pixel(px, py, coverage)   one pixel at coverage 1 … 255 (a pixel may come more than once)
//   span(py, x0, x1)          pixels x0 … x1 of row py, fully covered
// always inside 0 … width − 1, 0 … height − 1. A sink may also provide
//   skips(px, py)             true: the pixel would not change, whatever its coverage
// which is asked before the coverage is worked out. The stamp routines plug in a sink that
// blends; tests plug in one that records.
#pragma once

#include <cmath>
#include <utility>
#include <cstdint>

#include "raster/DiscRadius.h"
#include "raster/EdgeCoverage.h"
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
    double f = rowF;
    double rowStep = rowStepStart;
    for (int px = x0; px <= x1; ++px) {
      if (!detail::sinkSkips(sink, px, py)) {
        const int coverage = coverageOf.at(f);
        if (coverage > 0) sink.pixel(px, py, coverage);
      }
      f += rowStep;
      rowStep += inverseRadius;
    }
    rowF += columnStep;
    columnStep += inverseRadius;
  }
}

// A large disc is drawn around its centre quantised to 1/16 px: cell (cellX, cellY) =
// (floor x, floor y), offset sx = floor(16 (x − cellX) + 0.5), xs = sx / 16 (likewise y).
// Pixels (i, j) are relative to the cell.
struct QuantisedDisc {
  std::int64_t cellX = 0;
  std::int64_t cellY = 0;
  int sx = 0;  // 0 … 16
  int sy = 0;
  double xs = 0.0;  // 0 … 1
  double ys = 0.0;
  double r = 0.0;
};

// Needs finite x, y (the callers bound them first).
inline QuantisedDisc quantiseDisc(double x, double y, double r) {
  const double cellX = std::floor(x);
  const double cellY = std::floor(y);
  QuantisedDisc disc;
  disc.cellX = static_cast<std::int64_t>(cellX);
  disc.cellY = static_cast<std::int64_t>(cellY);
  disc.sx = static_cast<int>(std::floor(16.0 * (x - cellX) + 0.5));
  disc.sy = static_cast<int>(std::floor(16.0 * (y - cellY) + 0.5));
  disc.xs = disc.sx / 16.0;
  disc.ys = disc.sy / 16.0;
  disc.r = r;
  return disc;
}

// The rim walk of a large disc (1 ≤ r ≤ kMaxDiscRadiusPx): eight octants from the bottom of the
// circle, anchor i = ceil(xs), j = floor(ys + sqrt(r² − (i − xs)²) + 0.5), with the integer
// midpoint test
//   F(X, Y) = (8X − sx/2)² + (8Y − sy/2)² − 64r²
// (the circle in 1/8 px), taken between the two candidates of each step. Its only non-integer
// part, sx²/4 + sy²/4 − 64r², is rounded once (halves up); with doubled coordinates
// X2 = 2X, Y2 = 2Y the rest is exact:  F = 16·X2² − 4·X2·sx + 16·Y2² − 4·Y2·sy + C.
//
// Every step calls visit(i, j, qi, qj, fP, fQ): the step's pixel P = (i, j), its partner
// Q = (qi, qj) (P's neighbour along the octant's minor axis: outward when P is inside, inward
// otherwise) and their edge distances. The anchor itself is not a step. Steps whose row j
// `skipRow` rejects are walked (the walk's path never changes) but neither measured nor
// visited: a caller that draws only some rows passes over a huge disc's others cheaply.
template <class Visit, class SkipRow>
void traceDiscRim(const QuantisedDisc& disc, Visit&& visit, SkipRow&& skipRow) {
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

  int i = static_cast<int>(std::ceil(xs));
  int j = static_cast<int>(std::floor(ys + std::sqrt(r * r - (i - xs) * (i - xs)) + 0.5));

  // One step: the major move (mi, mj) always, the minor move (ni, nj) when the midpoint test
  // says the circle has been crossed: F ≥ 0 where the minor move points inward (odd octants),
  // F < 0 where it points outward (even octants). (oi, oj) is the octant's outward direction.
  const auto step = [&](int mi, int mj, int ni, int nj, bool minorPointsInward, int oi, int oj) {
    const std::int64_t f = midpointTest(2 * i + 2 * mi + ni, 2 * j + 2 * mj + nj);
    i += mi;
    j += mj;
    if (minorPointsInward ? f >= 0 : f < 0) {
      i += ni;
      j += nj;
    }
    if (skipRow(j)) return;
    const double fP = discEdgeDistance(i - xs, j - ys, r);
    const int qi = fP < 0.0 ? i + oi : i - oi;
    const int qj = fP < 0.0 ? j + oj : j - oj;
    visit(i, j, qi, qj, fP, discEdgeDistance(qi - xs, qj - ys, r));
  };
  // H, V: the current pixel's offset from the centre in 1/16 px.
  const auto h = [&] { return 16 * i - sx; };
  const auto v = [&] { return 16 * j - sy; };

  // 1: bottom, right of the anchor
  while (v() > h()) step(1, 0, 0, -1, true, 0, 1);
  // 2: right side, lower half
  for (int n = detail::ceilDiv16(v()); n > 0; --n) step(0, -1, 1, 0, false, 1, 0);
  // 3: right side, upper half
  while (h() > -v()) step(0, -1, -1, 0, true, 1, 0);
  // 4: top, right half
  for (int n = detail::ceilDiv16(h()); n > 0; --n) step(-1, 0, 0, -1, false, 0, -1);
  // 5: top, left half
  while (v() < h()) step(-1, 0, 0, 1, true, 0, -1);
  // 6: left side, upper half
  for (int n = detail::ceilDiv16(-v()); n > 0; --n) step(0, 1, -1, 0, false, -1, 0);
  // 7: left side, lower half
  while (v() < -h()) step(0, 1, 1, 0, true, -1, 0);
  // 8: bottom, left half
  for (int n = detail::ceilDiv16(-h()); n > 0; --n) step(1, 0, 0, 1, false, 0, 1);
}

template <class Visit>
void traceDiscRim(const QuantisedDisc& disc, Visit&& visit) {
  traceDiscRim(disc, std::forward<Visit>(visit), [](int) { return false; });
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
  spans.reset(r, disc.xs, disc.ys);
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
  // it neither draws nor bounds a row the fill below will draw.
  const auto offCanvasRow = [&](int j) {
    const std::int64_t py = disc.cellY + j;
    return py < -1 || py > height;
  };
  traceDiscRim(
      disc,
      [&](int i, int j, int qi, int qj, double fP, double fQ) {
        rim(i, j, fP);
        rim(qi, qj, fQ);
        spans.narrow(i, j);
        spans.narrow(qi, qj);
      },
      offCanvasRow);

  // Fill: rows bounded on both sides, strictly inside the rim, clipped to the canvas.
  for (int entry = 0; entry < spans.rowsInDisc; ++entry) {
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
