#include "raster/StampDisc.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "raster/DiscRaster.h"
#include "raster/DiscRegions.h"
#include "raster/DiscShape.h"
#include "raster/RegionRims.h"
#include "raster/StampBlitter.h"

namespace {

// A stamp with no alpha (or a NaN one) changes no pixel.
template <class Pixel>
bool stampIsVisible(const Pixel& stamp) {
  return stamp.alpha > 0;
}

}  // namespace

// The small-disc rasteriser's sink on a canvas of one colour, where the stamp can settle:
// each pixel keeps the larger alpha of the stamp scaled by its coverage (see
// StampBlitter::pixelOfOneColour).
template <class Pixel>
class OneColourPixels {
public:
  OneColourPixels(StampBlitter<Pixel>& blitter, const Pixel* scaled) : blitter_(blitter), scaled_(scaled) {}
  bool settledRun(int py, int& left, int& right) const { return blitter_.settledRun(py, left, right); }
  void pixel(int px, int py, int coverage) { blitter_.pixelOfOneColour(px, py, scaled_[coverage]); }

private:
  StampBlitter<Pixel>& blitter_;
  const Pixel* scaled_;
};

template <class Pixel>
int StampSmallDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp) {
  if (!canvasAcceptsStamps<Pixel>(canvas) || !stampIsVisible(stamp)) return 0;
  if (!(r > 0.0 && r <= kMaxDiscRadiusPx)) return 0;
  canvas.radius = DiscRadius::of(r);
  canvas.touchDisc(x, y, raster::discReach(r));
  StampBlitter<Pixel> blitter(canvas, stamp);
  if (canvas.stampColours.onlyColourIs(stamp) && blitter.settles()) {
    OneColourPixels<Pixel> pixels(blitter, canvas.scaledStamps.of(stamp));
    raster::smallDisc(canvas.width, canvas.height, x, y, r, canvas.radius, pixels);
    return 0;
  }
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

namespace {

// Queued discs from this radius on draw their rims by regions (see DiscRegions.h); below it a
// disc's region is most of its rim, and each disc blends its whole rim past the settled runs.
constexpr double kRegionRadius = 10.0;
bool drawsByRegions(double r) { return r >= kRegionRadius; }

template <class Pixel>
void drawQueue(StrokeCanvas& canvas, bool runEnds);

}  // namespace

template <class Pixel>
bool DeferLargeDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp) {
  if (!canvasAcceptsStamps<Pixel>(canvas) || !stampIsVisible(stamp)) return false;
  if (!(r >= 1.0 && r <= kMaxDiscRadiusPx) || !std::isfinite(x) || !std::isfinite(y)) return false;
  canvas.stampColours.note(stamp);
  if (!canvas.stampColours.onlyColourIs(stamp)) return false;
  if (!StampCanSettle(stamp) || canvas.settledRows.rowCount() < canvas.height) return false;
  // Queued discs are drawn from recorded shapes: one too large for that is drawn directly.
  if (!raster::discFitsRecording(r, canvas.width, canvas.height)) return false;
  const double reach = raster::discReach(r);
  if (!(x - reach < canvas.width) || !(x + reach > 0.0) || !(y - reach < canvas.height) || !(y + reach > 0.0)) {
    return true;  // off the canvas: nothing to draw, now or later
  }

  DeferredDiscs& deferred = canvas.deferredDiscs;
  const bool joins = deferred.discs.empty() ||
                     (r == deferred.radius && std::memcmp(deferred.stamp, &stamp, sizeof(Pixel)) == 0);
  // The waiting discs' shapes belong to their radius: drawn before another radius is looked up.
  // A long queue is drawn too, so that the drawing it holds back stays a small part of the
  // work between two questions whether to stop; its run goes on.
  if (!joins) {
    FlushDeferredDiscs<Pixel>(canvas);
  } else if (deferred.rowsQueued >= DeferredDiscs::kMostRowsQueued) {
    drawQueue<Pixel>(canvas, false);
  }
  const raster::QuantisedDisc disc = raster::quantiseDisc(x, y, r);
  raster::DiscShape* shape = nullptr;
  raster::DiscShapeCache::Slot& slot = canvas.discShapes.slot(r, disc.sx, disc.sy, shape);
  if (slot == raster::DiscShapeCache::Slot::Unseen) return false;
  canvas.radius = DiscRadius::of(r);
  if (slot == raster::DiscShapeCache::Slot::Seen) {
    raster::recordOrTurnDiscShape(disc, canvas.radius, canvas.spanBuffer, canvas.discShapes, *shape);
    slot = raster::DiscShapeCache::Slot::Recorded;
  }

  canvas.touchDisc(x, y, reach);
  if (deferred.discs.empty()) {
    deferred.radius = r;
    std::memcpy(deferred.stamp, &stamp, sizeof(Pixel));
    if (drawsByRegions(r) && r != deferred.supportRadius) {
      deferred.support.reset(raster::supportLimit2(r, canvas.radius));
      deferred.supportRadius = r;
    }
  }
  deferred.add(raster::RunDisc{shape, disc.cellX, disc.cellY, disc.sx, disc.sy});
  return true;
}

namespace {

// Every waiting disc's interior spans, gathered per row into runs of columns; a span that
// neither overlaps nor touches its row's run blends the run and starts a new one.
template <class Pixel>
class InteriorRuns {
public:
  InteriorRuns(StrokeCanvas& canvas, StampBlitter<Pixel>& blitter)
      : deferred_(canvas.deferredDiscs),
        blitter_(blitter),
        width_(canvas.width),
        height_(canvas.height),
        wide_(canvas.wideRowGroups) {
    // Padded so that a row group can be read from the last one; the padding stays empty.
    const auto rows = static_cast<std::size_t>(canvas.height) + raster::kRowGroupPadding;
    if (deferred_.interiorLeft.size() < rows) {
      deferred_.interiorLeft.assign(rows, 0);
      deferred_.interiorRight.assign(rows, -1);
    }
    deferred_.rowsWithInterior.clear();
  }

  // Row k of the disc with centre cell column cellX, on canvas row py.
  void add(const raster::DiscShape& shape, std::int64_t cellX, std::int64_t k, int py) {
    const int spanLeft = shape.spanLefts[static_cast<std::size_t>(k)];
    const int spanRight = shape.spanRights[static_cast<std::size_t>(k)];
    if (spanLeft > spanRight) return;
    const int from = static_cast<int>(std::max<std::int64_t>(cellX + spanLeft, 0));
    const int to = static_cast<int>(std::min<std::int64_t>(cellX + spanRight, width_ - 1));
    if (from > to) return;
    const auto y = static_cast<std::size_t>(py);
    int& left = deferred_.interiorLeft[y];
    int& right = deferred_.interiorRight[y];
    if (left > right) {
      deferred_.rowsWithInterior.push_back(py);
    } else if (from > right + 1 || to < left - 1) {
      blitter_.spanOfOneColour(py, left, right);
    } else {
      left = std::min(left, from);
      right = std::max(right, to);
      return;
    }
    left = from;
    right = to;
  }

  // Every disc's rows on the canvas; four or eight at a time where each of them joins its
  // row's run.
  void addDisc(const raster::DiscShape& shape, std::int64_t cellX, std::int64_t top) {
    const auto [firstK, endK] = raster::shapeRowsOnCanvas(shape, top, height_);
    std::int64_t k = firstK;
#if defined(INKLINE_ROW_GROUPS)
    // Every disc that reaches the canvas has its centre within reach of it: columns fit an int.
    const int group = wide_ ? 8 : 4;
    const std::int64_t pastLast = endK;  // Clang's lambdas cannot capture a structured binding
    while (k < endK) {
      const auto merge = [&] {
#if defined(INKLINE_WIDE_ROW_GROUPS)
        if (wide_) {
          return raster::mergeJoiningSpansWide(shape.spanLefts.data(), shape.spanRights.data(),
                                               deferred_.interiorLeft.data(), deferred_.interiorRight.data(),
                                               static_cast<int>(cellX), width_ - 1, top, k, pastLast);
        }
#endif
        return raster::mergeJoiningSpans<raster::RowGroup>(shape.spanLefts.data(), shape.spanRights.data(),
                                                           deferred_.interiorLeft.data(),
                                                           deferred_.interiorRight.data(), static_cast<int>(cellX),
                                                           width_ - 1, top, k, pastLast);
      };
      k = merge();
      for (const std::int64_t end = std::min(k + group, endK); k < end; ++k) add(shape, cellX, k, static_cast<int>(top + k));
    }
#endif
    for (; k < endK; ++k) add(shape, cellX, k, static_cast<int>(top + k));
  }

  // The runs still open blended; the scratch left empty for the next pass.
  void finish() {
    for (const int py : deferred_.rowsWithInterior) {
      const auto y = static_cast<std::size_t>(py);
      blitter_.spanOfOneColour(py, deferred_.interiorLeft[y], deferred_.interiorRight[y]);
      deferred_.interiorLeft[y] = 0;
      deferred_.interiorRight[y] = -1;
    }
  }

private:
  DeferredDiscs& deferred_;
  StampBlitter<Pixel>& blitter_;
  int width_;
  int height_;
  bool wide_;
};

template <class Pixel>
void blendInteriors(StrokeCanvas& canvas, StampBlitter<Pixel>& blitter) {
  InteriorRuns<Pixel> runs(canvas, blitter);
  for (const DeferredDiscs::Disc& d : canvas.deferredDiscs.discs) {
    runs.addDisc(*d.shape, d.cellX, d.cellY + d.shape->firstRow);
  }
  runs.finish();
}

// Blends rim pixels straight into the canvas, each at the coverage a disc gives it. While the
// canvas has one colour these blends commute and keep the larger alpha (coverage never lowers
// the scaled alpha as it grows), so in any order and however often a pixel comes, it ends as
// one blend at its largest coverage would leave it.
//
// Every pixel is then transparent black or of the stamp's colour: KeepLargerAlpha.
template <class Pixel>
class RimBlender {
public:
  RimBlender(StrokeCanvas& canvas, const Pixel& stamp)
      : base_(static_cast<char*>(canvas.pixels)), rowbytes_(canvas.rowbytes), scaled_(canvas.scaledStamps.of(stamp)) {}

  // The rim pixels first … last of one row (in column order, relative to cellX) that lie
  // outside columns runLeft … runRight and on the canvas (0 … width − 1), in one pass from
  // each end: the order they come in does not matter.
  void blendOutsideRun(int py, std::int64_t cellX, const raster::DiscShape::RimPixel* first,
                       const raster::DiscShape::RimPixel* last, int runLeft, int runRight, int width) const {
    Pixel* row = reinterpret_cast<Pixel*>(base_ + static_cast<std::ptrdiff_t>(py) * rowbytes_);
    const raster::DiscShape::RimPixel* p = first;
    for (; p != last; ++p) {
      const std::int64_t column = cellX + p->column;
      if (column >= runLeft) break;
      if (column >= 0 && column < width) KeepLargerAlpha(row[column], scaled_[p->coverage]);
    }
    for (const raster::DiscShape::RimPixel* q = last; q != p;) {
      --q;
      const std::int64_t column = cellX + q->column;
      if (column <= runRight) break;
      if (column >= 0 && column < width) KeepLargerAlpha(row[column], scaled_[q->coverage]);
    }
  }

private:
  char* base_;
  std::ptrdiff_t rowbytes_;
  const Pixel* scaled_;  // the stamp at each coverage
};

// Every waiting disc's rim pixels outside their row's settled run, blended by `rims`. Rims
// change no pixel of a run, so the runs are read into plain arrays once (readSettledRuns), and
// a disc's row whose rim lies in its run costs a compare (four rows at a time where the vector
// extensions are).
template <class Pixel>
void blendRims(StrokeCanvas& canvas, const RimBlender<Pixel>& rims) {
  DeferredDiscs& deferred = canvas.deferredDiscs;
  const int width = canvas.width;
  const int height = canvas.height;
  const auto& runLeft = deferred.settledLeft;
  const auto& runRight = deferred.settledRight;
  for (const DeferredDiscs::Disc& d : deferred.discs) {
    const raster::DiscShape& shape = *d.shape;
    const std::int64_t cellX = d.cellX;
    const std::int64_t top = d.cellY + shape.firstRow;  // canvas row of the shape's first row
    const auto [firstK, endK] = raster::shapeRowsOnCanvas(shape, top, height);
    // Row k's rim pixels outside the run of its canvas row.
    const auto blendOutsideRun = [&](std::int64_t k) {
      const int py = static_cast<int>(top + k);
      const int left = runLeft[static_cast<std::size_t>(py)];
      const int right = runRight[static_cast<std::size_t>(py)];
      const raster::DiscShape::Row& row = shape.rows[static_cast<std::size_t>(k)];
      const raster::DiscShape::RimPixel* first = shape.rim.data() + row.firstRim;
      rims.blendOutsideRun(py, cellX, first, first + row.rimCount, left, right, width);
    };
    // Whether row k has rim pixels outside that run.
    const auto reachesPastRun = [&](std::int64_t k) {
      const auto at = static_cast<std::size_t>(k);
      const auto y = static_cast<std::size_t>(top + k);
      return shape.rimLefts[at] <= shape.rimRights[at] &&
             !(cellX + shape.rimLefts[at] >= runLeft[y] && cellX + shape.rimRights[at] <= runRight[y]);
    };
    std::int64_t k = firstK;
#if defined(INKLINE_ROW_GROUPS)
    using raster::RowGroup;
    const RowGroup cell = raster::allRows(static_cast<int>(cellX));
    for (; k < endK; k += 4) {
      const auto y = static_cast<std::size_t>(top + k);
      const auto at = static_cast<std::size_t>(k);
      const RowGroup rimLeft = raster::loadRows(&shape.rimLefts[at]);
      const RowGroup rimRight = raster::loadRows(&shape.rimRights[at]);
      const RowGroup inside =
          (rimLeft + cell >= raster::loadRows(&runLeft[y])) & (rimRight + cell <= raster::loadRows(&runRight[y]));
      const RowGroup reaches = (rimLeft <= rimRight) & ~inside & raster::rowsBefore(k, endK);
      if (!raster::anyRow(reaches)) continue;
      for (int lane = 0; lane < 4; ++lane) {
        if (reaches[lane]) blendOutsideRun(k + lane);
      }
    }
#endif
    for (; k < endK; ++k) {
      if (reachesPastRun(k)) blendOutsideRun(k);
    }
  }
}

// The settled runs of the rows the waiting discs span, read into plain arrays (no run: a left
// end no column reaches, so every pixel lies left of it); the rest of the arrays is never read
// but by lanes past a disc's rows.
template <class Pixel>
void readSettledRuns(StrokeCanvas& canvas, const StampBlitter<Pixel>& blitter) {
  DeferredDiscs& deferred = canvas.deferredDiscs;
  auto& runLeft = deferred.settledLeft;
  auto& runRight = deferred.settledRight;
  const std::size_t rows = static_cast<std::size_t>(canvas.height) + raster::kRowGroupPadding;
  if (runLeft.size() != rows) {
    runLeft.assign(rows, INT_MAX);
    runRight.assign(rows, INT_MIN);
  }
  const auto firstRow = static_cast<int>(std::max<std::int64_t>(deferred.firstRow, 0));
  const auto lastRow = static_cast<int>(std::min<std::int64_t>(deferred.lastRow, canvas.height - 1));
  for (int py = firstRow; py <= lastRow; ++py) {
    const auto y = static_cast<std::size_t>(py);
    if (!blitter.settledRun(py, runLeft[y], runRight[y])) {
      runLeft[y] = INT_MAX;
      runRight[y] = INT_MIN;
    }
  }
}

// Draws the waiting discs: every interior, then every rim. Unless the run ends here, a queue
// drawn by regions keeps its last disc waiting, as its region needs the disc after it.
template <class Pixel>
void drawQueue(StrokeCanvas& canvas, bool runEnds) {
  DeferredDiscs& deferred = canvas.deferredDiscs;
  Pixel stamp;
  std::memcpy(&stamp, deferred.stamp, sizeof(Pixel));
  StampBlitter<Pixel> blitter(canvas, stamp);
  const bool regions = drawsByRegions(deferred.radius);
  const bool keepLast = regions && !runEnds && deferred.discs.size() > 1;
  const DeferredDiscs::Disc last = deferred.discs.back();
  if (regions) {
    // A support reaches a row or two past its shape: those rows' runs are read too.
    for (const DeferredDiscs::Disc& disc : deferred.discs) {
      const int sy = deferred.run[disc.runIndex].sy;
      const raster::RowRange rows = deferred.support.rows(sy);
      deferred.firstRow = std::min(deferred.firstRow, disc.cellY + rows.first);
      deferred.lastRow = std::max(deferred.lastRow, disc.cellY + rows.last);
    }
  }
  if (keepLast) deferred.discs.pop_back();
  blendInteriors(canvas, blitter);
  readSettledRuns(canvas, blitter);
  if (regions) {
    RegionRims<Pixel> rims(canvas, stamp);
    for (const DeferredDiscs::Disc& disc : deferred.discs) rims.visit(rims.plan(disc));
  } else {
    blendRims(canvas, RimBlender<Pixel>(canvas, stamp));
  }
  deferred.drawn();
  if (keepLast) deferred.requeue(last);
  if (runEnds || !regions) {
    if (regions) settleMarks(canvas, stamp);
    deferred.clear();
  }
}

}  // namespace

template <class Pixel>
void FlushDeferredDiscs(StrokeCanvas& canvas) {
  if (canvas.deferredDiscs.discs.empty()) return;
  drawQueue<Pixel>(canvas, true);
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
