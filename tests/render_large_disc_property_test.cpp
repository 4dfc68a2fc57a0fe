// StampLargeDisc against a brute-force reference that evaluates the edge distance of every
// pixel of the canvas directly.
//
// What the reference can claim, given how the disc is drawn:
// - The disc is drawn around its centre quantised to 1/16 px, so the reference measures f from
//   that quantised centre, with the same expression the rasteriser uses.
// - Every step of the rim walk draws a pixel P and its partner Q, the two pixels that straddle
//   the circle along the octant's minor axis, at their table coverage; the fill lies strictly
//   inside the innermost rim pixel of each row, at the full stamp alpha. So the fill is always a
//   pixel or so inside the circle, and every pixel that close to the circle is rim. How far
//   either reaches depends on the octant (the axis the walk measures along) and on the octant
//   joins, so the reference uses bounds with a margin: over a million random discs (r 5 … 600)
//   no fill pixel had f above −0.61 and no undrawn pixel f below 0.35.
// - On a transparent canvas, stamps of one colour combine by the larger alpha: a pixel the walk
//   reaches twice ends the same as one reached once, so visit counts do not matter.
// Hence, for every pixel, with "scaled" = the stamp with its alpha scaled by the table coverage
// at f (a scaled alpha of 0 leaves the pixel untouched):
//   f < −0.5:          scaled or the stamp itself (and exactly the stamp deep inside, where the
//                      coverage is 255 and scaled equals the stamp);
//   −0.5 ≤ f < 0.25:   exactly scaled: every pixel of this band is drawn, none is filled;
//   f ≥ 0.25:          untouched or scaled: the fill never leaks outside, no pixel gets more
//                      than its coverage.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "raster/EdgeCoverage.h"
#include "raster/StampDisc.h"
#include "support/DiscCase.h"
#include "support/RenderTestCanvas.h"

namespace {

// Radii log-uniform over 5 … 200; a third of the discs lie wholly inside the canvas, the rest
// anywhere from mostly outside to overlapping several edges.
DiscCase randomDisc(unsigned seed) {
  std::mt19937 random(seed);
  const double r = 5.0 * std::pow(40.0, std::uniform_real_distribution<double>(0.0, 1.0)(random));
  const bool inside = seed % 3 == 0;
  const int smallest = inside ? static_cast<int>(2.0 * r) + 6 : 8;
  std::uniform_int_distribution<int> size(smallest, smallest + 60);
  const int width = size(random);
  const int height = size(random);
  const double margin = inside ? -(r + 2.0) : 0.8 * r;
  std::uniform_real_distribution<double> x(-margin, width + margin);
  std::uniform_real_distribution<double> y(-margin, height + margin);
  return DiscCase{seed, width, height, x(random), y(random), r};
}

template <class Pixel>
class LargeDiscProperty : public ::testing::Test {};
TYPED_TEST_SUITE(LargeDiscProperty, RenderPixelTypes, RenderPixelTypeNames);

TYPED_TEST(LargeDiscProperty, MatchesThePerPixelReference) {
  using Pixel = TypeParam;
  using Traits = PixelTraits<Pixel>;
  int checkedInside = 0;
  int checkedRim = 0;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    const DiscCase c = randomDisc(seed);
    std::mt19937 colours(seed * 7919u);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double alpha = seed % 5 == 0 ? 1.0 : 0.2 + 0.8 * unit(colours);  // opaque stamps fill plainly
    const Pixel stamp = pixelOf<Pixel>(alpha, unit(colours), unit(colours), unit(colours));

    TestCanvas<Pixel> canvas(c.width, c.height);
    StampLargeDisc(canvas.canvas, c.x, c.y, c.r, stamp);
    ASSERT_TRUE(canvas.guardIntact()) << "wrote outside the canvas; " << describe(c);

    // The quantised centre: cell floor(x) plus the nearest sixteenth, halves up.
    const double cellX = std::floor(c.x);
    const double cellY = std::floor(c.y);
    const double xs = std::floor(16.0 * (c.x - cellX) + 0.5) / 16.0;
    const double ys = std::floor(16.0 * (c.y - cellY) + 0.5) / 16.0;
    const DiscRadius radius = DiscRadius::of(c.r);

    for (int py = 0; py < c.height; ++py) {
      for (int px = 0; px < c.width; ++px) {
        const double i = px - cellX;
        const double j = py - cellY;
        const double f = discEdgeDistance(i - xs, j - ys, c.r);
        const int coverage = EdgeCoverage(radius, f);
        Pixel scaled = stamp;
        scaled.alpha = Traits::scaleByCoverage(stamp.alpha, coverage);
        const Pixel& got = canvas.at(px, py);
        const bool asScaled = samePixel(got, scaled);
        const bool asStamp = samePixel(got, stamp);
        const bool untouched = samePixel(got, Pixel{});
        const bool rim = scaled.alpha == 0 ? untouched : asScaled;
        const bool ok = f < -0.5 ? (rim || asStamp) : f < 0.25 ? rim : (untouched || rim);
        if (f < -0.5) ++checkedInside;
        if (f >= -0.5 && f < 0.25) ++checkedRim;
        ASSERT_TRUE(ok) << describe(c) << "\n  pixel (" << px << ", " << py << "), f " << f << ", coverage "
                        << coverage << "\n  got " << ::testing::PrintToString(got) << ", stamp "
                        << ::testing::PrintToString(stamp) << ", scaled " << ::testing::PrintToString(scaled);
      }
    }
  }
  // The random cases must actually reach both the inside and the rim.
  EXPECT_GT(checkedInside, 100000);
  EXPECT_GT(checkedRim, 10000);
}

}  // namespace
