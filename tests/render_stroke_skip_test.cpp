// Passing over the samples far off the canvas changes no disc that can reach it: random
// segments that leave a small canvas by up to fifty thousand pixels, with tapers, fixed ends,
// opacity profiles and gradations, walked once with the canvas known (runs skipped) and once
// without (every sample walked). The discs that can touch the canvas are the same, to the bit:
// centre, radius and stamp pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "stroke/DrawStrokeSegment.h"
#include "support/RenderTestCanvas.h"
#include "taper/TaperProfile.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

struct Stamp {
  double x, y, radius;
  PF_PixelFloat pixel;
  bool operator==(const Stamp& o) const { return std::memcmp(this, &o, sizeof(Stamp)) == 0; }
};

// Keeps the discs that can touch the canvas (their box within the radius plus 3 of it).
struct ReachingDiscs {
  std::vector<Stamp> stamps;
  std::size_t all = 0;
  void stamp(double x, double y, double radiusPx, const PF_PixelFloat& pixel) {
    ++all;
    const double reach = radiusPx + 3.0;
    if (x + reach < 0 || x - reach > kWidth || y + reach < 0 || y - reach > kHeight) return;
    Stamp s{};
    s.x = x;
    s.y = y;
    s.radius = radiusPx;
    s.pixel = pixel;
    stamps.push_back(s);
  }
};

StrokeRecord randomRecord(std::mt19937_64& random) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double far = std::vector<double>{300.0, 5000.0, 50000.0}[random() % 3];
  auto coordinate = [&](double size) { return unit(random) < 0.3 ? unit(random) * size : (unit(random) * 2 - 1) * far; };
  StrokeRecord r;
  r.segment.setUp(coordinate(kWidth), coordinate(kHeight), coordinate(kWidth), coordinate(kHeight), coordinate(kWidth),
                  coordinate(kHeight), coordinate(kWidth), coordinate(kHeight));
  const double length = r.segment.totalLength();
  r.segment.beginWalk(length * (1.0 / std::max(0.01, length)), false);
  r.positionStep = 1.0 / std::max(0.01, length) * unit(random) * 1.2;
  r.segmentStartPosition = unit(random) - 0.5;
  r.thicknessPx = 1.0 + unit(random) * 40.0;
  r.opacity = 0.2 + unit(random) * 0.8;
  r.lengthPosition = 1.0;
  r.inOut = random() % 2 == 0;
  r.startTaper = PositionRange{unit(random) * 0.2 - 0.1, unit(random) * 0.4};
  r.endTaper = PositionRange{0.5 + unit(random) * 0.4, 0.9 + unit(random) * 0.2};
  buildTaperProfile(r.startProfile, unit(random) * 2 - 1, 64);
  buildTaperProfile(r.endProfile, unit(random) * 2 - 1, 64);
  r.endProfile.sortDescending();
  r.startTipThicknessPx = r.thicknessPx * unit(random);
  r.endTipThicknessPx = r.thicknessPx * unit(random);
  r.fixedEnds = random() % 3 == 0;
  r.fixedStart = PositionRange{0.0, unit(random) * 0.3};
  r.fixedEnd = PositionRange{0.7 + unit(random) * 0.2, 1.0};
  r.opacityProfile = random() % 2 == 0;
  r.startOpacity = unit(random) * r.opacity;
  r.endOpacity = unit(random) * r.opacity;
  r.opacityCentreInStroke = unit(random);
  r.gradation = random() % 2 == 0;
  r.gradationCentrePosition = unit(random);
  return r;
}

TEST(StrokeSkip, DiscsThatCanReachTheCanvasAreTheSameAsTheWalksToTheBit) {
  std::mt19937_64 random(61206);
  StrokeColours<PF_PixelFloat> colours;
  colours.colour = pixelOf<PF_PixelFloat>(1.0, 0.2, 0.4, 0.6);
  colours.start = pixelOf<PF_PixelFloat>(1.0, 0.9, 0.1, 0.1);
  colours.centre = pixelOf<PF_PixelFloat>(1.0, 0.1, 0.9, 0.1);
  colours.end = pixelOf<PF_PixelFloat>(1.0, 0.1, 0.1, 0.9);
  std::size_t skippedRuns = 0;
  for (int trial = 0; trial < 300; ++trial) {
    const StrokeRecord original = randomRecord(random);
    StrokeRecord walked = original;
    ReachingDiscs all;
    DrawStrokeSegment(walked, colours, all);
    StrokeRecord skipping = original;
    skipping.canvasWidth = kWidth;
    skipping.canvasHeight = kHeight;
    ReachingDiscs some;
    DrawStrokeSegment(skipping, colours, some);
    ASSERT_EQ(some.stamps.size(), all.stamps.size()) << "trial " << trial;
    for (std::size_t i = 0; i < all.stamps.size(); ++i) {
      ASSERT_EQ(some.stamps[i], all.stamps[i]) << "trial " << trial << ", disc " << i << " of " << all.stamps.size();
    }
    skippedRuns += some.all < all.all ? 1 : 0;
  }
  EXPECT_GT(skippedRuns, 100u);  // most segments had a run to pass over
}

}  // namespace
