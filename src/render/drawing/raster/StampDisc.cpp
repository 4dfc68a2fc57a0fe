#include "raster/StampDisc.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "raster/DiscRaster.h"
#include "raster/DiscShape.h"
#include "raster/StampBlitter.h"

namespace {

// A stamp with no alpha (or a NaN one) changes no pixel.
template <class Pixel>
bool stampIsVisible(const Pixel& stamp) {
  return stamp.alpha > 0;
}

}  // namespace

template <class Pixel>
int StampSmallDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp) {
  if (!canvasAcceptsStamps<Pixel>(canvas) || !stampIsVisible(stamp)) return 0;
  if (!(r > 0.0 && r <= kMaxDiscRadiusPx)) return 0;
  canvas.radius = DiscRadius::of(r);
  canvas.touchDisc(x, y, raster::discReach(r));
  StampBlitter<Pixel> blitter(canvas, stamp);
  raster::smallDisc(canvas.width, canvas.height, x, y, r, canvas.radius, blitter);
  return 0;
}

template <class Pixel>
int StampLargeDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp) {
  if (!canvasAcceptsStamps<Pixel>(canvas) || !stampIsVisible(stamp)) return 0;
  if (!(r >= 1.0 && r <= kMaxDiscRadiusPx)) return 0;
  canvas.radius = DiscRadius::of(r);
  canvas.touchDisc(x, y, raster::discReach(r));
  StampBlitter<Pixel> blitter(canvas, stamp);
  raster::largeDiscFromShapes(canvas.width, canvas.height, x, y, r, canvas.radius, canvas.spanBuffer,
                              canvas.discShapes, blitter);
  return 0;
}

template <class Pixel>
bool DeferLargeDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp) {
  if (!canvasAcceptsStamps<Pixel>(canvas) || !stampIsVisible(stamp)) return false;
  if (!(r >= 1.0 && r <= kMaxDiscRadiusPx) || !std::isfinite(x) || !std::isfinite(y)) return false;
  canvas.stampColours.note(stamp);
  if (!canvas.stampColours.onlyColourIs(stamp)) return false;
  if (!StampCanSettle(stamp) || canvas.settledRows.rowCount() < canvas.height) return false;
  const double reach = raster::discReach(r);
  if (!(x - reach < canvas.width) || !(x + reach > 0.0) || !(y - reach < canvas.height) || !(y + reach > 0.0)) {
    return true;  // off the canvas: nothing to draw, now or later
  }

  DeferredDiscs& deferred = canvas.deferredDiscs;
  const bool joins = deferred.discs.empty() ||
                     (r == deferred.radius && std::memcmp(deferred.stamp, &stamp, sizeof(Pixel)) == 0);
  // The waiting discs' shapes belong to their radius: drawn before another radius is looked up.
  // A long queue is drawn too, so that the drawing it holds back stays a small part of the
  // work between two questions whether to stop.
  if (!joins || deferred.rowsQueued >= DeferredDiscs::kMostRowsQueued) FlushDeferredDiscs<Pixel>(canvas);
  const raster::QuantisedDisc disc = raster::quantiseDisc(x, y, r);
  raster::DiscShape* shape = nullptr;
  raster::DiscShapeCache::Slot& slot = canvas.discShapes.slot(r, disc.sx, disc.sy, shape);
  if (slot == raster::DiscShapeCache::Slot::Unseen) return false;
  canvas.radius = DiscRadius::of(r);
  if (slot == raster::DiscShapeCache::Slot::Seen) {
    raster::recordDiscShape(disc, canvas.radius, canvas.spanBuffer, canvas.discShapes, *shape);
    slot = raster::DiscShapeCache::Slot::Recorded;
  }

  canvas.touchDisc(x, y, reach);
  if (deferred.discs.empty()) {
    deferred.radius = r;
    std::memcpy(deferred.stamp, &stamp, sizeof(Pixel));
  }
  deferred.discs.push_back(DeferredDiscs::Disc{shape, disc.cellX, disc.cellY});
  deferred.rowsQueued += static_cast<std::int64_t>(shape->rows.size());
  return true;
}

namespace {

// Every waiting disc's interior spans, gathered per row into runs of columns; a span that
// neither overlaps nor touches its row's run blends the run and starts a new one.
template <class Pixel>
void blendInteriors(StrokeCanvas& canvas, StampBlitter<Pixel>& blitter) {
  DeferredDiscs& deferred = canvas.deferredDiscs;
  const auto rows = static_cast<std::size_t>(canvas.height);
  if (deferred.interiorLeft.size() < rows) {
    deferred.interiorLeft.assign(rows, 0);
    deferred.interiorRight.assign(rows, -1);
  }
  auto& left = deferred.interiorLeft;
  auto& right = deferred.interiorRight;
  auto& used = deferred.rowsWithInterior;
  used.clear();
  for (const DeferredDiscs::Disc& d : deferred.discs) {
    const raster::DiscShape& shape = *d.shape;
    for (std::size_t k = 0; k < shape.rows.size(); ++k) {
      const raster::DiscShape::Row& row = shape.rows[k];
      if (row.spanLeft > row.spanRight) continue;
      const std::int64_t py = d.cellY + shape.firstRow + static_cast<std::int64_t>(k);
      if (py < 0 || py >= canvas.height) continue;
      const int from = static_cast<int>(std::max<std::int64_t>(d.cellX + row.spanLeft, 0));
      const int to = static_cast<int>(std::min<std::int64_t>(d.cellX + row.spanRight, canvas.width - 1));
      if (from > to) continue;
      const auto y = static_cast<std::size_t>(py);
      if (left[y] > right[y]) {
        used.push_back(static_cast<int>(py));
      } else if (from > right[y] + 1 || to < left[y] - 1) {
        blitter.span(static_cast<int>(py), left[y], right[y]);
      } else {
        left[y] = std::min(left[y], from);
        right[y] = std::max(right[y], to);
        continue;
      }
      left[y] = from;
      right[y] = to;
    }
  }
  for (const int py : used) {
    const auto y = static_cast<std::size_t>(py);
    blitter.span(py, left[y], right[y]);
    left[y] = 0;
    right[y] = -1;
  }
}

// Blends rim pixels straight into the canvas, each at the coverage a disc gives it. While the
// canvas has one colour these blends commute and keep the larger alpha (coverage never lowers
// the scaled alpha as it grows), so in any order and however often a pixel comes, it ends as
// one blend at its largest coverage would leave it. The stamp is scaled once per coverage.
template <class Pixel>
class RimBlender {
public:
  RimBlender(const StrokeCanvas& canvas, const Pixel& stamp)
      : base_(static_cast<char*>(canvas.pixels)), rowbytes_(canvas.rowbytes) {
    for (int coverage = 0; coverage < 256; ++coverage) {
      scaled_[coverage] = stamp;
      scaled_[coverage].alpha = PixelTraits<Pixel>::scaleByCoverage(stamp.alpha, coverage);
    }
  }

  // Pixels of one row, all on the canvas.
  void rimRun(int py, std::int64_t cellX, const raster::DiscShape::RimPixel* from,
              const raster::DiscShape::RimPixel* to) const {
    Pixel* row = reinterpret_cast<Pixel*>(base_ + static_cast<std::ptrdiff_t>(py) * rowbytes_) + cellX;
    for (const raster::DiscShape::RimPixel* p = from; p != to; ++p) BlendStampPixel(row[p->column], scaled_[p->coverage]);
  }

private:
  char* base_;
  std::ptrdiff_t rowbytes_;
  Pixel scaled_[256];
};

// Every waiting disc's rim pixels outside their row's settled run, blended by `rims`. Rims
// change no pixel of a run, so the runs are read into a plain array once, and a disc's row
// whose pixels all lie in its run costs a compare.
template <class Pixel>
void blendRims(StrokeCanvas& canvas, const StampBlitter<Pixel>& blitter, const RimBlender<Pixel>& rims) {
  DeferredDiscs& deferred = canvas.deferredDiscs;
  const int width = canvas.width;
  const int height = canvas.height;
  auto& runs = deferred.settledRuns;
  runs.resize(static_cast<std::size_t>(height));
  for (int py = 0; py < height; ++py) {
    // No run: a left end no column reaches, so every pixel lies left of it.
    SettledRows::Run& run = runs[static_cast<std::size_t>(py)];
    if (!blitter.settledRun(py, run.left, run.right)) run = SettledRows::Run{INT_MAX, INT_MIN};
  }
  for (const DeferredDiscs::Disc& d : deferred.discs) {
    const raster::DiscShape& shape = *d.shape;
    const std::int64_t cellX = d.cellX;
    const std::int64_t top = d.cellY + shape.firstRow;  // canvas row of the shape's first row
    const auto rowCount = static_cast<std::int64_t>(shape.rows.size());
    const std::int64_t firstK = std::max<std::int64_t>(0, -top);
    const std::int64_t endK = std::min<std::int64_t>(rowCount, height - top);
    for (std::int64_t k = firstK; k < endK; ++k) {
      const raster::DiscShape::Row& row = shape.rows[static_cast<std::size_t>(k)];
      if (row.rimCount == 0) continue;
      const int py = static_cast<int>(top + k);
      const SettledRows::Run run = runs[static_cast<std::size_t>(py)];
      if (cellX + row.left >= run.left && cellX + row.right <= run.right) continue;
      const raster::DiscShape::RimPixel* first = shape.rim.data() + row.firstRim;
      raster::forRimOutsideRun(first, first + row.rimCount, cellX, width, run.left, run.right,
                               [&](const raster::DiscShape::RimPixel* from, const raster::DiscShape::RimPixel* to) {
                                 rims.rimRun(py, cellX, from, to);
                               });
    }
  }
}

}  // namespace

template <class Pixel>
void FlushDeferredDiscs(StrokeCanvas& canvas) {
  DeferredDiscs& deferred = canvas.deferredDiscs;
  if (deferred.discs.empty()) return;
  Pixel stamp;
  std::memcpy(&stamp, deferred.stamp, sizeof(Pixel));
  StampBlitter<Pixel> blitter(canvas, stamp);
  blendInteriors(canvas, blitter);
  blendRims(canvas, blitter, RimBlender<Pixel>(canvas, stamp));
  deferred.discs.clear();
  deferred.rowsQueued = 0;
}

template <class Pixel>
bool StampDiscHoldingCanvas(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp) {
  CanvasPalette& palette = canvas.palette;
  if (!canvasAcceptsStamps<Pixel>(canvas) || !stampIsVisible(stamp)) return false;
  if (!(r >= 1.0 && r <= kMaxDiscRadiusPx) || !std::isfinite(x) || !std::isfinite(y)) return false;
  const double reach = raster::discReach(r);
  const bool holds = x - reach < canvas.width && x + reach > 0.0 && y - reach < canvas.height && y + reach > 0.0 &&
                     raster::discHoldsCanvas(raster::quantiseDisc(x, y, r), canvas.width, canvas.height);
  if (!holds) {
    palette.endRun();
    return false;
  }

  if (!palette.held()) {
    if (canvas.untouched() && canvas.deferredDiscs.discs.empty()) {
      // Untouched since the last clear: transparent black throughout (tiles of a world made
      // without clearing are cleared below, as the disc touches them).
      palette.holdUniform(Pixel{});
    } else if (palette.runAsksForIndex()) {
      FlushDeferredDiscs<Pixel>(canvas);
      // Every tile cleared before the pixels are read.
      canvas.touchDisc(x, y, reach);
      // Indexing pays while the values are a small part of the pixels.
      const std::size_t pixels = static_cast<std::size_t>(canvas.width) * static_cast<std::size_t>(canvas.height);
      if (!palette.holdDistinct<Pixel>(static_cast<const char*>(canvas.pixels), canvas.rowbytes, canvas.width,
                                        canvas.height, pixels / 8)) {
        palette.indexDidNotPay();
        return false;
      }
    } else {
      return false;
    }
  }
  palette.blendEvery(stamp);
  canvas.stampColours.note(stamp);
  canvas.radius = DiscRadius::of(r);
  canvas.touchDisc(x, y, reach);
  return true;
}

template <class Pixel>
void WriteBackPalette(StrokeCanvas& canvas) {
  if (!canvas.palette.held()) return;
  canvas.palette.writeBack<Pixel>(static_cast<char*>(canvas.pixels), canvas.rowbytes, canvas.width, canvas.height);
  // The runs were of the pixels before; none is known to be settled now.
  canvas.settledRows.forget();
}

template int StampSmallDisc<PF_Pixel8>(StrokeCanvas&, double, double, double, const PF_Pixel8&);
template int StampSmallDisc<PF_Pixel16>(StrokeCanvas&, double, double, double, const PF_Pixel16&);
template int StampSmallDisc<PF_PixelFloat>(StrokeCanvas&, double, double, double, const PF_PixelFloat&);
template int StampLargeDisc<PF_Pixel8>(StrokeCanvas&, double, double, double, const PF_Pixel8&);
template int StampLargeDisc<PF_Pixel16>(StrokeCanvas&, double, double, double, const PF_Pixel16&);
template int StampLargeDisc<PF_PixelFloat>(StrokeCanvas&, double, double, double, const PF_PixelFloat&);
template bool DeferLargeDisc<PF_Pixel8>(StrokeCanvas&, double, double, double, const PF_Pixel8&);
template bool DeferLargeDisc<PF_Pixel16>(StrokeCanvas&, double, double, double, const PF_Pixel16&);
template bool DeferLargeDisc<PF_PixelFloat>(StrokeCanvas&, double, double, double, const PF_PixelFloat&);
template void FlushDeferredDiscs<PF_Pixel8>(StrokeCanvas&);
template void FlushDeferredDiscs<PF_Pixel16>(StrokeCanvas&);
template void FlushDeferredDiscs<PF_PixelFloat>(StrokeCanvas&);
template bool StampDiscHoldingCanvas<PF_Pixel8>(StrokeCanvas&, double, double, double, const PF_Pixel8&);
template bool StampDiscHoldingCanvas<PF_Pixel16>(StrokeCanvas&, double, double, double, const PF_Pixel16&);
template bool StampDiscHoldingCanvas<PF_PixelFloat>(StrokeCanvas&, double, double, double, const PF_PixelFloat&);
template void WriteBackPalette<PF_Pixel8>(StrokeCanvas&);
template void WriteBackPalette<PF_Pixel16>(StrokeCanvas&);
template void WriteBackPalette<PF_PixelFloat>(StrokeCanvas&);
