#include "raster/StampDisc.h"

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

// Everything either rasteriser draws lies within r + 2.1 px of the centre.
double discReach(double r) { return r + 3.0; }

}  // namespace

template <class Pixel>
int StampSmallDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp) {
  if (!canvasAcceptsStamps<Pixel>(canvas) || !stampIsVisible(stamp)) return 0;
  if (!(r > 0.0 && r <= kMaxDiscRadiusPx)) return 0;
  canvas.radius = DiscRadius::of(r);
  canvas.touchDisc(x, y, discReach(r));
  canvas.stampColours.note(stamp);
  StampBlitter<Pixel> blitter(canvas, stamp);
  raster::smallDisc(canvas.width, canvas.height, x, y, r, canvas.radius, blitter);
  return 0;
}

template <class Pixel>
int StampLargeDisc(StrokeCanvas& canvas, double x, double y, double r, const Pixel& stamp) {
  if (!canvasAcceptsStamps<Pixel>(canvas) || !stampIsVisible(stamp)) return 0;
  if (!(r >= 1.0 && r <= kMaxDiscRadiusPx)) return 0;
  canvas.radius = DiscRadius::of(r);
  canvas.touchDisc(x, y, discReach(r));
  canvas.stampColours.note(stamp);
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
  const bool settles = StampCanSettle(stamp) && canvas.settledRows.rowCount() >= canvas.height;
  if (!settles || !canvas.stampColours.onlyColourIs(stamp)) return false;
  const double reach = discReach(r);
  if (!(x - reach < canvas.width) || !(x + reach > 0.0) || !(y - reach < canvas.height) || !(y + reach > 0.0)) {
    return true;  // off the canvas: nothing to draw, now or later
  }

  DeferredDiscs& deferred = canvas.deferredDiscs;
  const bool joins = deferred.discs.empty() ||
                     (r == deferred.radius && std::memcmp(deferred.stamp, &stamp, sizeof(Pixel)) == 0);
  // The waiting discs' shapes belong to their radius: drawn before another radius is looked up.
  if (!joins) FlushDeferredDiscs<Pixel>(canvas);
  const raster::QuantisedDisc disc = raster::quantiseDisc(x, y, r);
  raster::DiscShape* shape = nullptr;
  if (canvas.discShapes.slot(r, disc.sx, disc.sy, shape) != raster::DiscShapeCache::Slot::Recorded) return false;

  canvas.radius = DiscRadius::of(r);
  canvas.touchDisc(x, y, reach);
  if (deferred.discs.empty()) {
    deferred.radius = r;
    std::memcpy(deferred.stamp, &stamp, sizeof(Pixel));
  }
  deferred.discs.push_back(DeferredDiscs::Disc{shape, disc.cellX, disc.cellY});
  return true;
}

template <class Pixel>
void FlushDeferredDiscs(StrokeCanvas& canvas) {
  DeferredDiscs& deferred = canvas.deferredDiscs;
  if (deferred.discs.empty()) return;
  Pixel stamp;
  std::memcpy(&stamp, deferred.stamp, sizeof(Pixel));
  StampBlitter<Pixel> blitter(canvas, stamp);
  for (const DeferredDiscs::Disc& d : deferred.discs) {
    raster::replayDiscShape(*d.shape, d.cellX, d.cellY, canvas.width, canvas.height, blitter,
                            raster::DiscParts::SpansOnly);
  }
  for (const DeferredDiscs::Disc& d : deferred.discs) {
    raster::replayDiscShape(*d.shape, d.cellX, d.cellY, canvas.width, canvas.height, blitter,
                            raster::DiscParts::RimOnly);
  }
  deferred.discs.clear();
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
