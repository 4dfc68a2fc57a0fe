// The rim pass of queued discs of a large radius, by regions (see DiscRegions.h): each disc
// blends the rim pixels of its region off the settled runs and marks those it passed by; the
// run's marks are settled when it ends. On a canvas of the queue's colour alone, where blends
// keep the larger alpha (see DeferredDiscs.h).
#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pixel/BlendStampPixel.h"
#include "raster/DeferredDiscs.h"
#include "raster/DiscRegions.h"
#include "raster/EdgeCoverage.h"
#include "raster/StrokeCanvas.h"

// Each waiting disc's rim pixels in its region (see DiscRegions.h) off the settled runs:
// blended where the disc drew them, marked where it passed them by.
template <class Pixel>
class RegionRims {
public:
  RegionRims(StrokeCanvas& canvas, const Pixel& stamp)
      : deferred_(canvas.deferredDiscs),
        base_(static_cast<char*>(canvas.pixels)),
        rowbytes_(canvas.rowbytes),
        width_(canvas.width),
        height_(canvas.height),
        scaled_(canvas.scaledStamps.of(stamp)) {}

  // What a disc's visit needs: its neighbours' bisectors and the rows (relative to its cell)
  // to visit, clipped to the canvas.
  struct Plan {
    const raster::RunDisc* disc = nullptr;
    std::size_t index = 0;
    bool hasBehind = false;
    bool hasAhead = false;
    raster::Bisector behind;
    raster::Bisector ahead;
    raster::RowRange ranges[2];
  };

  Plan plan(const DeferredDiscs::Disc& queued) {
    const std::vector<raster::RunDisc>& run = deferred_.run;
    Plan plan;
    plan.index = queued.runIndex;
    plan.disc = &run[plan.index];
    const raster::RunDisc& disc = *plan.disc;
    plan.hasBehind = plan.index > 0;
    plan.hasAhead = plan.index + 1 < run.size();
    if (plan.hasBehind) plan.behind = raster::Bisector::between(disc, run[plan.index - 1]);
    if (plan.hasAhead) plan.ahead = raster::Bisector::between(disc, run[plan.index + 1]);
    plan.ranges[0] = deferred_.support.rows(disc.sy);
    if (plan.hasBehind && plan.hasAhead) {
      raster::RowRange strip[2];
      if (raster::regionRows(plan.behind, plan.ahead, deferred_.radius, deferred_.support.outerRadius(), disc.sy, strip)) {
        plan.ranges[0] = strip[0];
        plan.ranges[1] = strip[1];
      }
    }
    for (raster::RowRange& range : plan.ranges) {
      range.first = std::max(range.first, -disc.cellY);
      range.last = std::min(range.last, height_ - 1 - disc.cellY);
    }
    return plan;
  }

  void visit(const Plan& plan) {
    const raster::RunDisc& disc = *plan.disc;
    raster::SupportWidths& support = deferred_.support;
    for (const raster::RowRange& range : plan.ranges) {
      if (range.first > range.last) continue;
      raster::Bisector::Columns behindColumns =
          plan.hasBehind ? raster::Bisector::Columns(plan.behind, range.first) : raster::Bisector::Columns();
      raster::Bisector::Columns aheadColumns =
          plan.hasAhead ? raster::Bisector::Columns(plan.ahead, range.first) : raster::Bisector::Columns();
      for (std::int64_t v = range.first; v <= range.last; ++v) {
        std::int64_t from = 0;
        std::int64_t to = -1;
        support.columns(disc.sx, disc.sy, v, from, to);
        from = std::max(from, -disc.cellX);
        to = std::min(to, width_ - 1 - disc.cellX);
        behindColumns.clip(from, to);
        aheadColumns.clip(from, to);
        behindColumns.next();
        aheadColumns.next();
        if (from <= to) row(disc, plan.index, v, from, to);
      }
    }
  }

private:
  // Columns from … to of row v of the disc (relative to its cell, on the canvas).
  void row(const raster::RunDisc& disc, std::size_t index, std::int64_t v, std::int64_t from, std::int64_t to) {
    const raster::DiscShape& shape = *disc.shape;
    const auto py = static_cast<int>(disc.cellY + v);
    const std::int64_t runLeft = deferred_.settledLeft[static_cast<std::size_t>(py)] - disc.cellX;
    const std::int64_t runRight = deferred_.settledRight[static_cast<std::size_t>(py)] - disc.cellX;
    Pixel* pixels = reinterpret_cast<Pixel*>(base_ + static_cast<std::ptrdiff_t>(py) * rowbytes_);
    const std::int64_t k = v - shape.firstRow;
    const bool hasRow = k >= 0 && k < static_cast<std::int64_t>(shape.rows.size());
    const raster::DiscShape::Row noRow{};
    const raster::DiscShape::Row& rimRow = hasRow ? shape.rows[static_cast<std::size_t>(k)] : noRow;
    for (std::int64_t u = from; u <= to; ++u) {
      // The disc's span and the row's settled run are at the full stamp already.
      if (u >= rimRow.spanLeft && u <= rimRow.spanRight) {
        u = rimRow.spanRight;
        continue;
      }
      if (u >= runLeft && u <= runRight) {
        u = runRight;
        continue;
      }
      const int coverage = raster::rimCoverageAt(shape, rimRow, u);
      if (coverage > 0) {
        KeepLargerAlpha(pixels[disc.cellX + u], scaled_[coverage]);
      } else {
        deferred_.marks.push_back(DeferredDiscs::Mark{static_cast<int>(disc.cellX + u), py, index});
      }
    }
  }

  DeferredDiscs& deferred_;
  char* base_;
  std::ptrdiff_t rowbytes_;
  std::int64_t width_;
  std::int64_t height_;
  const Pixel* scaled_;  // the stamp at each coverage
};

// The run's marked pixels, each at the largest coverage of the discs that draw it: from the
// disc that marked it along the run both ways, while the distance does not shrink and still
// gives coverage. No such disc is nearer than the marking one, so none gives more than its
// distance would, and a pixel at least that alpha is left as it is.
template <class Pixel>
void settleMarks(StrokeCanvas& canvas, const Pixel& stamp) {
  DeferredDiscs& deferred = canvas.deferredDiscs;
  if (deferred.marks.empty()) return;
  const Pixel* scaled = canvas.scaledStamps.of(stamp);
  const double r = deferred.radius;
  const DiscCoverage coverageOf(DiscRadius::of(r));
  const std::vector<raster::RunDisc>& run = deferred.run;
  for (const DeferredDiscs::Mark& mark : deferred.marks) {
    Pixel& pixel = reinterpret_cast<Pixel*>(static_cast<char*>(canvas.pixels) +
                                            static_cast<std::ptrdiff_t>(mark.y) * canvas.rowbytes)[mark.x];
    const std::int64_t own2 = run[mark.owner].distance2(mark.x, mark.y);
    const int most = raster::coverageAtSquare(coverageOf, own2, r);
    if (!(pixel.alpha < scaled[most].alpha)) continue;
    int best = 0;
    for (const std::ptrdiff_t step : {std::ptrdiff_t{-1}, std::ptrdiff_t{1}}) {
      std::int64_t previous = own2;
      for (auto i = static_cast<std::ptrdiff_t>(mark.owner) + step;
           i >= 0 && i < static_cast<std::ptrdiff_t>(run.size()) && best < most; i += step) {
        const raster::RunDisc& disc = run[static_cast<std::size_t>(i)];
        const std::int64_t d2 = disc.distance2(mark.x, mark.y);
        if (d2 < previous || d2 >= deferred.support.limit2()) break;
        best = std::max(best, disc.coverageAt(mark.x, mark.y));
        previous = d2;
      }
    }
    KeepLargerAlpha(pixel, scaled[best]);
  }
  deferred.marks.clear();
}
