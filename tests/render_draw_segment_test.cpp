// The stamp loop: which discs one segment of a stroke hands on, with what radius, opacity and
// colour, recorded without any pixels; and the canvas sink that rasterises them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <vector>

#include "raster/StampDisc.h"
#include "stroke/DrawStrokeSegment.h"
#include "support/RenderTestCanvas.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

template <class Pixel>
struct RecordedStamp {
  double x, y;    // centre [px]
  double radius;  // [px]
  Pixel pixel;
};

template <class Pixel>
struct RecordingDiscSink {
  std::vector<RecordedStamp<Pixel>> stamps;
  void stamp(double x, double y, double radiusPx, const Pixel& pixel) { stamps.push_back({x, y, radiusPx, pixel}); }
};

// A straight horizontal segment of lengthPx from (x0, y), evenly parametrised, walked 1 px at a
// time as the stroke layout sets it up. The stroke covers positions 0 … 1 of it, no tapers.
StrokeRecord straightStroke(double x0, double y, double lengthPx, double thicknessPx) {
  StrokeRecord record;
  const double x3 = x0 + lengthPx;
  record.segment.setUp(x0, y, x0 + lengthPx / 3, y, x0 + 2 * lengthPx / 3, y, x3, y);
  record.segment.beginWalk(1.0, false);
  record.segmentStartPosition = 0.0;
  record.positionStep = 1.0 / lengthPx;
  record.thicknessPx = thicknessPx;
  record.opacity = 1.0;
  record.lengthPosition = 1.0;
  record.startTaper = PositionRange{0.0, 0.0};
  record.endTaper = PositionRange{1.0, 1.0};
  return record;
}

// One sample only, at (20, 20) and stroke position s: a half-pixel segment ends after its
// first point.
StrokeRecord singleSample(double s, double thicknessPx = 20) {
  StrokeRecord record = straightStroke(20, 20, 0.5, thicknessPx);
  record.segmentStartPosition = s;
  record.endTaper = PositionRange{2.0, 2.0};
  return record;
}

template <class Pixel>
StrokeColours<Pixel> plainColours() {
  StrokeColours<Pixel> colours;
  colours.colour = pixelOf<Pixel>(1.0, 0.2, 0.4, 0.6);
  return colours;
}

template <class Pixel>
std::vector<RecordedStamp<Pixel>> stampsOf(StrokeRecord record, const StrokeColours<Pixel>& colours) {
  RecordingDiscSink<Pixel> sink;
  DrawStrokeSegment(record, colours, sink);
  return sink.stamps;
}

// The radius of each recorded stamp by its sample number along a straight stroke from x0.
std::map<long, double> radiiBySample(const std::vector<RecordedStamp<PF_Pixel8>>& stamps, double x0) {
  std::map<long, double> radii;
  for (const auto& s : stamps) radii[std::lround(s.x - x0)] = s.radius;
  return radii;
}

// A handmade profile, y = x at x = 0, 0.25, 0.5, 0.75, 1, so the factor at any u is the
// nearest of those by hand.
TaperProfile linearProfile(bool descending) {
  TaperProfile profile;
  for (int i = 0; i <= 4; ++i) {
    const double x = (descending ? 4 - i : i) / 4.0;
    profile.append(PathVertex{x, x, 0, 0, 0, 0});
  }
  return profile;
}

void setLinearTapers(StrokeRecord& record) {
  record.inOut = true;
  record.startProfile = linearProfile(false);
  record.endProfile = linearProfile(true);
}

template <class Pixel>
class DrawSegmentTest : public ::testing::Test {};
TYPED_TEST_SUITE(DrawSegmentTest, RenderPixelTypes, RenderPixelTypeNames);

TEST(DrawSegment, NothingToDrawHandsOnNoDisc) {
  const struct {
    double thickness, opacity, length, step;
  } cases[] = {{0, 1, 1, 1},    {kNaN, 1, 1, 1}, {-4, 1, 1, 1},  {10, 0, 1, 1},   {10, kNaN, 1, 1},
               {10, -0.5, 1, 1}, {10, 1, 0, 1},  {10, 1, 1, 0},  {10, 1, 1, -1},  {10, 1, 1, kNaN},
               {10, 1, 1, 1e-300}};
  for (const auto& c : cases) {
    StrokeRecord record = straightStroke(5, 15, 50, c.thickness);
    record.opacity = c.opacity;
    record.lengthPosition = c.length;
    record.segment.stepDistance = c.step;
    EXPECT_TRUE(stampsOf(record, plainColours<PF_Pixel8>()).empty())
        << c.thickness << " " << c.opacity << " " << c.length << " " << c.step;
  }
}

// Without tapers every walked point within [B1, E2) is one disc of half the thickness.
TEST(DrawSegment, UntaperedStrokeIsOneDiscPerSampleWithinTheStroke) {
  StrokeRecord record = straightStroke(5, 7, 10, 6);
  record.startTaper.begin = 0.25;
  record.endTaper.end = 0.75;
  const auto stamps = stampsOf(record, plainColours<PF_Pixel8>());
  ASSERT_EQ(stamps.size(), 5u);  // positions 0.3 … 0.7
  for (std::size_t k = 0; k < stamps.size(); ++k) {
    EXPECT_NEAR(stamps[k].x, 8.0 + static_cast<double>(k), 1e-9);
    EXPECT_EQ(stamps[k].y, 7.0);
    EXPECT_EQ(stamps[k].radius, 3.0);
    EXPECT_PRED2(samePixel<PF_Pixel8>, stamps[k].pixel, (PF_Pixel8{255, 51, 102, 153}));
  }
}

TYPED_TEST(DrawSegmentTest, StampAlphaPerDepth) {
  using Pixel = TypeParam;
  StrokeRecord record = singleSample(0.5);
  record.opacity = 0.3;
  const auto stamps = stampsOf(record, plainColours<Pixel>());
  ASSERT_EQ(stamps.size(), 1u);
  const auto alpha = stamps[0].pixel.alpha;
  if constexpr (std::is_same_v<Pixel, PF_Pixel8>) {
    EXPECT_EQ(alpha, 76);  // trunc(76.5)
  } else if constexpr (std::is_same_v<Pixel, PF_Pixel16>) {
    EXPECT_EQ(alpha, 9830);  // trunc(9830.4)
  } else {
    EXPECT_EQ(alpha, 0.3f);  // not quantised
  }
}

TYPED_TEST(DrawSegmentTest, GradationHalfwayToTheCentreColour) {
  using Pixel = TypeParam;
  StrokeColours<Pixel> colours;
  colours.start = pixelOf<Pixel>(0.0, 0.0, 1.0, 0.5);
  colours.centre = pixelOf<Pixel>(0.0, 1.0, 0.0, 0.5);
  colours.end = pixelOf<Pixel>(0.0, 0.3, 0.3, 0.3);
  StrokeRecord record = singleSample(0.5);
  record.gradation = true;
  record.gradationCentrePosition = 1.0;
  const auto stamps = stampsOf(record, colours);
  ASSERT_EQ(stamps.size(), 1u);
  const Pixel halfway = stamps[0].pixel;
  // k = trunc(0.5 · 32768) = 16384; red 0 + (full · 16384) / 32768, green full − that.
  if constexpr (std::is_same_v<Pixel, PF_Pixel8>) {
    EXPECT_EQ(halfway.red, 127);
    EXPECT_EQ(halfway.green, 128);
    EXPECT_EQ(halfway.blue, 128);
    EXPECT_EQ(halfway.alpha, 255);  // the gradation colours' alpha is ignored
  } else if constexpr (std::is_same_v<Pixel, PF_Pixel16>) {
    EXPECT_EQ(halfway.red, 16384);
    EXPECT_EQ(halfway.green, 16384);
    EXPECT_EQ(halfway.blue, 16384);
    EXPECT_EQ(halfway.alpha, 32768);
  } else {
    EXPECT_EQ(halfway.red, 0.5f);
    EXPECT_EQ(halfway.green, 0.5f);
    EXPECT_EQ(halfway.blue, 0.5f);
    EXPECT_EQ(halfway.alpha, 1.0f);
  }
}

// k is truncated, not rounded: at u = 1/3, k = trunc(10922.67) = 10922 and an 8-bit channel
// rising 0 → 255 gets trunc(255 · 10922 / 32768) = 84 (85 with k rounded).
TEST(DrawSegment, GradationWeightTruncates) {
  StrokeColours<PF_Pixel8> colours;
  colours.start = PF_Pixel8{255, 0, 0, 0};
  colours.centre = PF_Pixel8{255, 255, 0, 0};
  StrokeRecord record = singleSample(0.5);
  record.gradation = true;
  record.gradationCentrePosition = 1.5;
  const auto stamps = stampsOf(record, colours);
  ASSERT_EQ(stamps.size(), 1u);
  EXPECT_EQ(stamps[0].pixel.red, 84);
}

// From the centre on, the ramp runs centre → end: at the centre itself, the centre colour.
TEST(DrawSegment, GradationAtItsCentreIsTheCentreColour) {
  StrokeColours<PF_Pixel8> colours;
  colours.start = PF_Pixel8{255, 0, 255, 0};
  colours.centre = PF_Pixel8{255, 180, 30, 230};
  colours.end = PF_Pixel8{255, 0, 0, 255};
  StrokeRecord record = singleSample(0.75);
  record.gradation = true;
  record.gradationCentrePosition = 0.75;
  const auto stamps = stampsOf(record, colours);
  ASSERT_EQ(stamps.size(), 1u);
  EXPECT_PRED2(samePixel<PF_Pixel8>, stamps[0].pixel, (PF_Pixel8{255, 180, 30, 230}));
}

// A gradation centred on the stroke's very end (centre position 100 %, no end taper): the
// sample on E2 has a ramp of no length before it, and takes its first colour, the centre's,
// in every depth; never a NaN (0/0) in float.
TYPED_TEST(DrawSegmentTest, GradationCentredOnTheEndGivesTheCentreColourThere) {
  using Pixel = TypeParam;
  StrokeColours<Pixel> colours;
  colours.start = pixelOf<Pixel>(1.0, 0.0, 0.0, 1.0);
  colours.centre = pixelOf<Pixel>(1.0, 0.2, 0.4, 0.6);
  colours.end = pixelOf<Pixel>(1.0, 1.0, 1.0, 0.0);
  // Tapers on with no end length: the end zone is empty, so the sample on E2 is drawn whole.
  StrokeRecord record = singleSample(1.0);
  record.inOut = true;
  record.endTaper = PositionRange{1.0, 1.0};
  record.gradation = true;
  record.gradationCentrePosition = 1.0;
  const auto stamps = stampsOf(record, colours);
  ASSERT_EQ(stamps.size(), 1u);
  const Pixel at = stamps[0].pixel;
  EXPECT_EQ(at.red, colours.centre.red);
  EXPECT_EQ(at.green, colours.centre.green);
  EXPECT_EQ(at.blue, colours.centre.blue);
}

// The same for a centre on the start: the first ramp has no length; samples from there on
// take the second ramp, so the start sample is the centre colour.
TYPED_TEST(DrawSegmentTest, GradationCentredOnTheStartGivesTheCentreColourThere) {
  using Pixel = TypeParam;
  StrokeColours<Pixel> colours;
  colours.start = pixelOf<Pixel>(1.0, 0.0, 0.0, 1.0);
  colours.centre = pixelOf<Pixel>(1.0, 0.2, 0.4, 0.6);
  colours.end = pixelOf<Pixel>(1.0, 1.0, 1.0, 0.0);
  StrokeRecord record = singleSample(0.0);
  record.gradation = true;
  record.gradationCentrePosition = 0.0;
  const auto stamps = stampsOf(record, colours);
  ASSERT_EQ(stamps.size(), 1u);
  EXPECT_EQ(stamps[0].pixel.green, colours.centre.green);
}

// With the opacity centre on the stroke's end (m = 1), the sample on E2 (drawn whole when the
// end zone is empty) meets 0/0 in the second formula; the alpha clamp makes it 0, in every
// depth.
TYPED_TEST(DrawSegmentTest, OpacityCentredOnTheEndGivesNoAlphaOnTheEnd) {
  using Pixel = TypeParam;
  StrokeRecord record = singleSample(1.0);
  record.inOut = true;
  record.endTaper = PositionRange{1.0, 1.0};
  record.opacityProfile = true;
  record.opacity = 0.75;
  record.startOpacity = 0.1;
  record.endOpacity = 0.25;
  record.opacityCentreInStroke = 1.0;
  const auto stamps = stampsOf(record, plainColours<Pixel>());
  ASSERT_EQ(stamps.size(), 1u);
  EXPECT_EQ(stamps[0].pixel.alpha, 0);
}

TEST(DrawSegment, OpacityProfile) {
  const struct {
    double centre, s;
    A_u_char alpha;
  } cases[] = {
      {0.0, 0.0, 191},   // u = 0 with m = 0 takes the second formula: O = 0.75, not Os
      {0.0, 0.5, 127},   // O + (Oe − O) · 0.5 = 0.5
      {0.5, 0.25, 108},  // before m: Os + (O − Os) · u / m = 0.1 + 0.65 · 0.5 = 0.425
      {0.5, 0.75, 127},  // after m: 0.75 + (0.25 − 0.75) · 0.5 = 0.5
  };
  for (const auto& c : cases) {
    StrokeRecord record = singleSample(c.s);
    record.endTaper.end = 1.0;
    record.opacityProfile = true;
    record.opacity = 0.75;
    record.startOpacity = 0.1;
    record.endOpacity = 0.25;
    record.opacityCentreInStroke = c.centre;
    const auto stamps = stampsOf(record, plainColours<PF_Pixel8>());
    ASSERT_EQ(stamps.size(), 1u);
    EXPECT_EQ(stamps[0].pixel.alpha, c.alpha) << "centre " << c.centre << ", s " << c.s;
  }
}

// On a 128 px stroke every position is a multiple of 1/128, exact in binary, so zone edges
// and profile lookups fall exactly where written below.
// Start taper [0, 0.25), end taper (0.75, 1), thickness 20, start tip 4, end tip 0:
// r = 8 · y + 2 in the start zone and 10 · y in the end zone, y the nearest of the handmade
// profile's samples (start: at u; end: at 1 − u).
TEST(DrawSegment, TaperRadiiFollowTheProfiles) {
  StrokeRecord record = straightStroke(0, 20, 128, 20);
  setLinearTapers(record);
  record.startTaper = PositionRange{0.0, 0.25};
  record.endTaper = PositionRange{0.75, 1.0};
  record.startTipThicknessPx = 4;
  record.endTipThicknessPx = 0;
  const std::map<long, double> radii = radiiBySample(stampsOf(record, plainColours<PF_Pixel8>()), 0);
  const std::map<long, double> expected = {
      {0, 2.0},     // u = 0 → y 0
      {3, 2.0},     // u = 0.09375 → y 0
      {4, 4.0},     // u = 0.125, halfway between 0 and 0.25: the later sample, y 0.25
      {6, 4.0},     // u = 0.1875 → y 0.25
      {16, 6.0},    // u = 0.5 → y 0.5
      {31, 10.0},   // u = 0.96875 → y 1
      {64, 10.0},   // between the tapers
      {96, 10.0},   // s = 0.75 is not yet in the end zone
      {97, 10.0},   // u = 1/32: y at 0.96875 → 1
      {112, 5.0},   // u = 0.5 → y 0.5
      {123, 2.5},   // u = 0.84375: y at 0.15625 → 0.25
  };
  for (const auto& [sample, radius] : expected) {
    ASSERT_TRUE(radii.count(sample)) << "sample " << sample;
    EXPECT_EQ(radii.at(sample), radius) << "sample " << sample;
  }
  // u = 0.90625 and on: y at 0.09375 or less → 0, radius 0: no disc.
  for (const long sample : {125, 126, 127}) EXPECT_FALSE(radii.count(sample)) << "sample " << sample;
}

// Pinned to a path's ends: nothing before the fixed start, the fixed start taper over
// [0.125, 0.375), the fixed end taper over (0.5, 0.625), and past the fixed end the samples are
// skipped.
TEST(DrawSegment, FixedEndZones) {
  StrokeRecord record = straightStroke(0, 20, 128, 20);
  setLinearTapers(record);
  record.startTipThicknessPx = 4;
  record.fixedEnds = true;
  record.fixedStart = PositionRange{0.125, 0.375};
  record.fixedEnd = PositionRange{0.5, 0.625};
  const std::map<long, double> radii = radiiBySample(stampsOf(record, plainColours<PF_Pixel8>()), 0);
  EXPECT_EQ(radii.begin()->first, 16);
  EXPECT_EQ(radii.at(16), 2.0);   // u = 0 → y 0
  EXPECT_EQ(radii.at(20), 4.0);   // u = 0.125 → y 0.25 (the later of two)
  EXPECT_EQ(radii.at(32), 6.0);   // u = 0.5 → y 0.5
  EXPECT_EQ(radii.at(50), 10.0);  // untapered
  EXPECT_EQ(radii.at(67), 7.5);   // u = 0.1875: y at 0.8125 → 0.75
  EXPECT_EQ(radii.at(76), 2.5);   // u = 0.75: y at 0.25 → 0.25
  for (const long sample : {79, 80, 100}) EXPECT_FALSE(radii.count(sample)) << "sample " << sample;
}

TEST(DrawSegment, EmptyProfilesDrawNothingInTheirZones) {
  StrokeRecord record = straightStroke(0, 20, 128, 10);
  record.inOut = true;  // but no profiles
  record.startTaper = PositionRange{0.0, 0.25};
  record.endTaper = PositionRange{0.75, 1.0};
  const std::map<long, double> radii = radiiBySample(stampsOf(record, plainColours<PF_Pixel8>()), 0);
  EXPECT_EQ(radii.begin()->first, 32);
  EXPECT_EQ(radii.rbegin()->first, 96);
  EXPECT_EQ(radii.size(), 65u);
}

// The canvas sink stamps radius 5 as a large disc and just under 5 as a small one.
TYPED_TEST(DrawSegmentTest, CanvasSinkSwitchesFromSmallToLargeDiscsAtFive) {
  using Pixel = TypeParam;
  const Pixel stamp = pixelOf<Pixel>(1.0, 0.2, 0.4, 0.6);
  for (const double r : {5.0, 4.999}) {
    TestCanvas<Pixel> drawn(40, 40);
    CanvasDiscSink<Pixel> sink(drawn.canvas);
    sink.stamp(20.3, 19.6, r, stamp);

    TestCanvas<Pixel> expected(40, 40);
    if (r < 5.0) {
      StampSmallDisc(expected.canvas, 20.3, 19.6, r, stamp);
    } else {
      StampLargeDisc(expected.canvas, 20.3, 19.6, r, stamp);
    }
    for (int py = 0; py < 40; ++py) {
      for (int px = 0; px < 40; ++px) ASSERT_PRED2(samePixel<Pixel>, drawn.at(px, py), expected.at(px, py)) << r;
    }
  }
}

// A disc whose box reaches the canvas is stamped; one wholly beyond an edge is not.
TYPED_TEST(DrawSegmentTest, CanvasSinkDrawsDiscsOverTheEdgeAndNotBeyondIt) {
  using Pixel = TypeParam;
  const struct {
    double x, y;
    bool drawn;
  } cases[] = {{-3, 10, true},  {-5.5, 10, false}, {34, 10, true},  {36, 10, false},
               {15, -4, true},  {15, -5.5, false}, {15, 23, true},  {15, 26, false}};
  for (const auto& c : cases) {
    TestCanvas<Pixel> canvas(30, 20);
    CanvasDiscSink<Pixel> sink(canvas.canvas);
    sink.stamp(c.x, c.y, 5.0, pixelOf<Pixel>(1.0, 0.2, 0.4, 0.6));
    EXPECT_EQ(!canvas.allTransparentBlack(), c.drawn) << c.x << ", " << c.y;
    EXPECT_TRUE(canvas.guardIntact());
  }
}

}  // namespace
