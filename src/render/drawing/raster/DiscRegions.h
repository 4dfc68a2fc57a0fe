// Which queued disc draws which rim pixel. On a canvas of one colour a pixel ends at the largest
// coverage any disc gives it. Off its span a recorded disc gives a pixel the coverage of the
// pixel's distance from its centre, where its rim walk visited the pixel, and none where the
// walk passed it by; that coverage never grows with the distance and is the same function for
// every disc of one radius. So among the discs of a run of one radius, one nearest a pixel
// gives it the largest coverage of them all, unless it passed the pixel by.
//
// A disc nearest a pixel is no farther from it than the discs before and after it in the run:
// each disc visits only the pixels of its support (every pixel its distance gives coverage)
// that lie no farther from it than from those two, its region. Along a stroke that is a strip
// across the stroke a pixel or so wide, which meets the support where the stroke's two edges
// are: a few rows each, where the disc's whole rim reaches past its neighbours' spans on about
// 2·sqrt(3r) rows. Where the disc passed a pixel of its region by, the pixel is marked and,
// once the run is over, takes the largest coverage of the discs that draw it. Going from any
// disc that draws the pixel towards discs ever nearer to it, along the run, ends at a disc
// whose region holds it; so such a disc is found by going from the marking disc along the run
// in both directions while the distance does not shrink (and gives coverage at all).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "raster/DiscRadius.h"
#include "raster/DiscShape.h"
#include "raster/EdgeCoverage.h"
#include "raster/FloorToInt.h"

namespace raster {

// Largest h ≥ 0 with h² ≤ n (n ≥ 0).
inline std::int64_t squareRootFloor(std::int64_t n) {
  auto h = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
  while (h * h > n) --h;
  while ((h + 1) * (h + 1) <= n) ++h;
  return h;
}

// floor(n / d) for d > 0, |n| < 2^52, from an estimate in double precision (inverse = 1 / d),
// which is off by one at most, set right in integers: no division.
inline std::int64_t floorQuotient(std::int64_t n, std::int64_t d, double inverse) {
  std::int64_t q = floorToInt(static_cast<double>(n) * inverse);
  while (q * d > n) --q;
  while ((q + 1) * d <= n) ++q;
  return q;
}

// floor(n(v) / d) for d > 0 and n(v) = n0 − s·(v − v0), row after row from v0: two estimated
// quotients to start, then additions.
class SteppedQuotient {
public:
  SteppedQuotient() = default;
  SteppedQuotient(std::int64_t n0, std::int64_t d, std::int64_t s) : d_(d) {
    const double inverse = 1.0 / static_cast<double>(d);
    q_ = floorQuotient(n0, d, inverse);
    r_ = n0 - q_ * d;
    dq_ = floorQuotient(-s, d, inverse);
    dr_ = -s - dq_ * d;
  }
  std::int64_t value() const { return q_; }
  // The carry is a coin toss from row to row: taken without a branch.
  void next() {
    r_ += dr_;
    const std::int64_t carry = r_ >= d_ ? 1 : 0;
    q_ += dq_ + carry;
    r_ -= carry * d_;
  }

private:
  std::int64_t d_ = 1;
  std::int64_t q_ = 0;
  std::int64_t r_ = 0;
  std::int64_t dq_ = 0;
  std::int64_t dr_ = 0;
};

// The coverage of a pixel d2 from a disc's centre (d2 in 1/256 px², an integer for every pixel
// and quantised centre), as the rim walk works it out: discEdgeDistance of offsets whose squares
// sum to d2 exactly.
inline int coverageAtSquare(const DiscCoverage& coverageOf, std::int64_t d2, double r) {
  return coverageOf.at(discEdgeDistanceOfSquare(static_cast<double>(d2) / 256.0, r));
}

// The smallest squared distance (1/256 px²) at which a disc of radius r gives no coverage.
// Coverage never grows with the distance, so every distance below it gives some.
inline std::int64_t supportLimit2(double r, const DiscRadius& radius) {
  const DiscCoverage coverageOf(radius);
  const auto outside = static_cast<std::int64_t>(16.0 * (r + 2.0));
  std::int64_t covered = 0;
  std::int64_t uncovered = outside * outside;
  while (uncovered - covered > 1) {
    const std::int64_t middle = covered + (uncovered - covered) / 2;
    (coverageAtSquare(coverageOf, middle, r) > 0 ? covered : uncovered) = middle;
  }
  return uncovered;
}

// A disc of a run: its cell and offset, and its recorded shape.
struct RunDisc {
  const DiscShape* shape;
  std::int64_t cellX;
  std::int64_t cellY;
  int sx;  // 0 … 15
  int sy;

  // Squared distance from the centre of pixel (x, y), in 1/256 px².
  std::int64_t distance2(std::int64_t x, std::int64_t y) const {
    const std::int64_t dx = 16 * (x - cellX) - sx;
    const std::int64_t dy = 16 * (y - cellY) - sy;
    return dx * dx + dy * dy;
  }

  // The coverage the disc gives pixel (x, y): 255 in its span, a rim pixel's own, else 0.
  int coverageAt(std::int64_t x, std::int64_t y) const {
    const std::int64_t u = x - cellX;
    const std::int64_t k = y - cellY - shape->firstRow;
    if (k < 0 || k >= static_cast<std::int64_t>(shape->rows.size())) return 0;
    const DiscShape::Row& row = shape->rows[static_cast<std::size_t>(k)];
    if (u >= row.spanLeft && u <= row.spanRight) return 255;
    return rimCoverageAt(*shape, row, u);
  }
};

// How far inside its circle a pixel off a disc's span can lie, in px. The rim walk stands on
// the pixel the circle passes through (within half a pixel of it along the octant's major axis)
// and adds its partner a pixel inwards only where that pixel lies outside the circle, and the span
// fills the row strictly between the walk's innermost pixels: nothing off the span lies more than
// a pixel inside the circle (a test checks every offset of many radii, some at exactly a pixel).
// Half a pixel more, for margin.
inline constexpr double kOffSpanDepth = 1.5;

struct RowRange {
  std::int64_t first = 0;
  std::int64_t last = -1;
};

// The support's half-widths by row: for dy = 16v − sy (1/16 px), the largest h ≥ 0 with
// h² + dy² < limit2, or −1 where none is; worked out as rows first ask for them.
class SupportWidths {
public:
  void reset(std::int64_t limit2) {
    limit2_ = limit2;
    reach_ = squareRootFloor(limit2 - 1);
    outerRadius_ = std::sqrt(static_cast<double>(limit2)) / 16.0;
    widths_.assign(static_cast<std::size_t>(2 * reach_ + 1), kUnknown);
  }
  std::int64_t limit2() const { return limit2_; }
  double outerRadius() const { return outerRadius_; }  // px; every pixel of the support lies nearer

  std::int64_t at(std::int64_t dy) {
    if (dy < -reach_ || dy > reach_) return -1;
    std::int64_t& width = widths_[static_cast<std::size_t>(dy + reach_)];
    if (width == kUnknown) width = squareRootFloor(limit2_ - 1 - dy * dy);
    return width;
  }

  // The columns (relative to the cell) of row v of the support of a disc at offset (sx, sy):
  // (16u − sx)² + (16v − sy)² < limit2. None: from > to.
  void columns(int sx, int sy, std::int64_t v, std::int64_t& from, std::int64_t& to) {
    const std::int64_t h = at(16 * v - sy);
    if (h < 0) {
      from = 0;
      to = -1;
      return;
    }
    from = -((h - sx) >> 4);  // ceil((sx − h) / 16)
    to = (sx + h) >> 4;
  }

  // Every row of the support of a disc at offset sy.
  RowRange rows(int sy) const { return RowRange{-((reach_ - sy) >> 4), (sy + reach_) >> 4}; }

private:
  static constexpr std::int64_t kUnknown = -2;
  std::int64_t limit2_ = 0;
  std::int64_t reach_ = -1;  // the largest |dy| with any width
  double outerRadius_ = 0.0;
  std::vector<std::int64_t> widths_;
};

// A disc's region against one neighbour, for pixels (u, v) relative to the disc's cell: with
// the centres C and Cj in 1/16 px relative to the cell and D = Cj − C,
//   |16(u, v) − C|² ≤ |16(u, v) − Cj|²  ⇔  32·Dx·u ≤ |Cj|² − |C|² − 32·Dy·v.
struct Bisector {
  std::int64_t dx = 0;
  std::int64_t dy = 0;
  std::int64_t limit = 0;  // |Cj|² − |C|²

  static Bisector between(const RunDisc& disc, const RunDisc& neighbour) {
    const std::int64_t cx = disc.sx;
    const std::int64_t cy = disc.sy;
    const std::int64_t jx = 16 * (neighbour.cellX - disc.cellX) + neighbour.sx;
    const std::int64_t jy = 16 * (neighbour.cellY - disc.cellY) + neighbour.sy;
    return Bisector{jx - cx, jy - cy, jx * jx + jy * jy - cx * cx - cy * cy};
  }

  // The region's columns row after row from row v0: clip narrows columns from … to of the
  // row, next moves to the row below.
  class Columns {
  public:
    Columns() = default;
    Columns(const Bisector& b, std::int64_t v0)
        : sign_(b.dx > 0 ? 1 : b.dx < 0 ? -1 : 0), n_(b.limit - 32 * b.dy * v0), step_(32 * b.dy) {
      if (sign_ != 0) bound_ = SteppedQuotient(n_, 32 * (b.dx > 0 ? b.dx : -b.dx), step_);
    }
    // 32·Dx·u ≤ n: u ≤ floor(n / 32Dx) for Dx > 0, u ≥ −floor(n / 32|Dx|) for Dx < 0, and
    // every u or none for Dx = 0.
    void clip(std::int64_t& from, std::int64_t& to) const {
      if (sign_ > 0) {
        to = std::min(to, bound_.value());
      } else if (sign_ < 0) {
        from = std::max(from, -bound_.value());
      } else if (n_ < 0) {
        to = from - 1;
      }
    }
    void next() {
      if (sign_ != 0) bound_.next();
      n_ -= step_;
    }

  private:
    int sign_ = 0;
    std::int64_t n_ = 0;
    std::int64_t step_ = 0;
    SteppedQuotient bound_;
  };
};

// The rows (relative to the cell) where a disc's region between the bisectors with the disc
// before (d0) and after it (d1) meets its support outside its span, as up to two ranges, one
// per edge of the stroke; false where the two do not lie on either side along the stroke as
// a strip needs (every row of the support is then to be visited). In px relative to the
// centre, with m the direction from d0 to d1 and n across it, a point a·m + b·n lies in the
// region when aLow(b) ≤ a ≤ aHigh(b), bounds linear in b. Off the span every pixel lies beyond
// rIn = r − kOffSpanDepth and within the support, below rOut; with |a| ≤ amax over
// |b| ≤ rOut and amax < rIn, |b| ≥ bIn = sqrt(rIn² − amax²): on each side, within the box
// |a| ≤ amax, bIn ≤ ±b ≤ rOut, whose rows bound the side's.
inline bool regionRows(const Bisector& behind, const Bisector& ahead, double r, double rOut, int sy,
                       RowRange (&rows)[2]) {
  // In 1/16 px throughout; only the rows at the end are in px.
  const auto d0x = static_cast<double>(behind.dx);
  const auto d0y = static_cast<double>(behind.dy);
  const auto d1x = static_cast<double>(ahead.dx);
  const auto d1y = static_cast<double>(ahead.dy);
  const double ex = d1x - d0x;
  const double ey = d1y - d0y;
  const double length2 = ex * ex + ey * ey;
  if (!(length2 > 0.0)) return false;
  const double inverseLength = 1.0 / std::sqrt(length2);
  const double mx = ex * inverseLength;
  const double my = ey * inverseLength;
  const double along0 = d0x * mx + d0y * my;
  const double along1 = d1x * mx + d1y * my;
  if (!(along0 < -1e-2 && along1 > 1e-2)) return false;
  const double across0 = d0y * mx - d0x * my;  // d0 · n, n = (−my, mx)
  const double across1 = d1y * mx - d1x * my;
  const double half0 = (d0x * d0x + d0y * d0y) / 2.0;
  const double half1 = (d1x * d1x + d1y * d1y) / 2.0;
  const double out = 16.0 * rOut;
  const double in = 16.0 * (r - kOffSpanDepth);
  const double low0 = std::abs(half0) / -along0;  // |aLow(±out)| ≤ (|half0| + out·|across0|) / |along0|
  const double high1 = std::abs(half1) / along1;
  const double amax = std::max(low0 + out * std::abs(across0) / -along0, high1 + out * std::abs(across1) / along1);
  // A margin for the rounding of all of this; the rows themselves are tested exactly.
  constexpr double kSlack = 0.5;  // 1/16 px
  if (!(amax + kSlack < in)) return false;
  const double bIn = std::sqrt(in * in - amax * amax) - kSlack;
  const double bOut = out + kSlack;
  // y = a·my + b·mx over the box, in 1/16 px from the centre; rows v with 16v − sy within.
  const double spread = amax * std::abs(my);
  const double nearEdge = std::min(bIn * mx, bOut * mx);
  const double farEdge = std::max(bIn * mx, bOut * mx);
  for (int side = 0; side < 2; ++side) {
    const double low = side == 0 ? nearEdge - spread : -farEdge - spread;
    const double high = side == 0 ? farEdge + spread : -nearEdge + spread;
    rows[side] = RowRange{ceilToInt((sy + low - kSlack) / 16.0), floorToInt((sy + high + kSlack) / 16.0)};
  }
  if (rows[1].first <= rows[0].last + 1 && rows[0].first <= rows[1].last + 1) {
    rows[0] = RowRange{std::min(rows[0].first, rows[1].first), std::max(rows[0].last, rows[1].last)};
    rows[1] = RowRange{};
  }
  return true;
}

}  // namespace raster
