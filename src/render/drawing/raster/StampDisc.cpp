#include "raster/StampDisc.h"

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
  StampBlitter<Pixel> blitter(canvas, stamp);
  raster::largeDiscFromShapes(canvas.width, canvas.height, x, y, r, canvas.radius, canvas.spanBuffer,
                              canvas.discShapes, blitter);
  return 0;
}

template int StampSmallDisc<PF_Pixel8>(StrokeCanvas&, double, double, double, const PF_Pixel8&);
template int StampSmallDisc<PF_Pixel16>(StrokeCanvas&, double, double, double, const PF_Pixel16&);
template int StampSmallDisc<PF_PixelFloat>(StrokeCanvas&, double, double, double, const PF_PixelFloat&);
template int StampLargeDisc<PF_Pixel8>(StrokeCanvas&, double, double, double, const PF_Pixel8&);
template int StampLargeDisc<PF_Pixel16>(StrokeCanvas&, double, double, double, const PF_Pixel16&);
template int StampLargeDisc<PF_PixelFloat>(StrokeCanvas&, double, double, double, const PF_PixelFloat&);
