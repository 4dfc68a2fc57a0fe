// The stamp loop: radius, opacity and colour per sample along one segment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/DrawStrokeSegment.h"
#include "render/StampDisc.h"
#include "render/TaperProfile.h"
#include "support/RenderTestCanvas.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A straight segment walked 1 px at a time, as the stroke layout sets it up; the stroke covers
// positions 0 … 1 of it, without tapers.
template <class Pixel>
void setStraightStroke(StrokeRecord<Pixel>& record, double x0, double y0, double x1, double y1, double thickness) {
  record.segment.setUp(x0, y0, x0, y0, x1, y1, x1, y1);
  const double length = record.segment.totalLength();
  record.segment.beginWalk(length * (1.0 / std::max(0.01, length)), false);
  record.segmentStart = 0.0;
  record.positionStep = 1.0 / std::max(0.01, length);
  record.colour = pixelOf<Pixel>(1.0, 0.2, 0.4, 0.6);
  record.thickness = thickness;
  record.opacity = 1.0;
  record.length = 1.0;
  record.start = 0.0;
  record.startTaperBegin = 0.0;
  record.startTaperEnd = 0.0;
  record.endTaperBegin = 1.0;
  record.endTaperEnd = 1.0;
}

// One sample only, at (x, y) and stroke position s: a half-pixel segment ends after its first
// point.
template <class Pixel>
void setSingleSample(StrokeRecord<Pixel>& record, double x, double y, double s, double thickness) {
  setStraightStroke(record, x, y, x + 0.5, y, thickness);
  record.segmentStart = s;
  record.endTaperBegin = 2.0;
  record.endTaperEnd = 2.0;
}

template <class Pixel>
class DrawSegmentTest : public ::testing::Test {};
TYPED_TEST_SUITE(DrawSegmentTest, RenderPixelTypes, RenderPixelTypeNames);

TYPED_TEST(DrawSegmentTest, NoThicknessOpacityOrLengthDrawsNothing) {
  using Pixel = TypeParam;
  const struct {
    double thickness, opacity, length;
  } cases[] = {{0, 1, 1}, {10, 0, 1}, {10, 1, 0}, {kNaN, 1, 1}, {10, kNaN, 1}, {-4, 1, 1}, {10, -0.5, 1}};
  for (const auto& c : cases) {
    TestCanvas<Pixel> canvas(60, 30);
    StrokeRecord<Pixel> record;
    setStraightStroke(record, 5, 15, 55, 15, c.thickness);
    record.opacity = c.opacity;
    record.length = c.length;
    EXPECT_EQ(DrawStrokeSegment(canvas.canvas, record), 0);
    EXPECT_TRUE(canvas.allTransparentBlack()) << c.thickness << " " << c.opacity << " " << c.length;
  }
}

// Radius exactly 5 is a large disc, just under 5 a small one: the two draw different pixels.
TYPED_TEST(DrawSegmentTest, SmallAndLargeDiscsSwitchAtFive) {
  using Pixel = TypeParam;
  const struct {
    double thickness;
    bool large;
  } cases[] = {{10.0, true}, {9.998, false}};
  for (const auto& c : cases) {
    TestCanvas<Pixel> drawn(40, 40);
    StrokeRecord<Pixel> record;
    setSingleSample(record, 20.3, 19.6, 0.5, c.thickness);
    DrawStrokeSegment(drawn.canvas, record);

    TestCanvas<Pixel> large(40, 40);
    TestCanvas<Pixel> small(40, 40);
    StampLargeDisc(large.canvas, 20.3, 19.6, c.thickness / 2, record.colour);
    StampSmallDisc(small.canvas, 20.3, 19.6, c.thickness / 2, record.colour);
    bool sameAsLarge = true;
    bool sameAsSmall = true;
    for (int py = 0; py < 40; ++py) {
      for (int px = 0; px < 40; ++px) {
        sameAsLarge = sameAsLarge && samePixel(drawn.at(px, py), large.at(px, py));
        sameAsSmall = sameAsSmall && samePixel(drawn.at(px, py), small.at(px, py));
      }
    }
    EXPECT_EQ(sameAsLarge, c.large) << "thickness " << c.thickness;
    EXPECT_EQ(sameAsSmall, !c.large) << "thickness " << c.thickness;
  }
}

// Draws one sample at (20, 20) and stroke position s with the record as it is (set up by
// setSingleSample with thickness 20, then adjusted) and returns the centre pixel, which a
// radius-10 disc fills with the stamp itself.
template <class Pixel>
Pixel stampAt(StrokeRecord<Pixel>& record, double s) {
  TestCanvas<Pixel> canvas(40, 40);
  record.segment.setUp(20, 20, 20, 20, 20.5, 20, 20.5, 20);
  record.segment.beginWalk(1.0, false);
  record.segmentStart = s;
  DrawStrokeSegment(canvas.canvas, record);
  return canvas.at(20, 20);
}

TYPED_TEST(DrawSegmentTest, GradationHalfwayToTheCentreColour) {
  using Pixel = TypeParam;
  StrokeRecord<Pixel> record;
  record.gradation = true;
  record.startColour = pixelOf<Pixel>(0.0, 0.0, 1.0, 0.5);
  record.centreColour = pixelOf<Pixel>(0.0, 1.0, 0.0, 0.5);
  record.endColour = pixelOf<Pixel>(0.0, 0.3, 0.3, 0.3);
  setSingleSample(record, 20, 20, 0.5, 20);
  record.gradationCentre = 1.0;
  const Pixel halfway = stampAt(record, 0.5);
  // k = trunc(0.5 · 32768) = 16384; red 0 + (full · 16384) / 32768, green full − that.
  if constexpr (std::is_same_v<Pixel, PF_Pixel8>) {
    EXPECT_EQ(halfway.red, 127);
    EXPECT_EQ(halfway.green, 128);
  } else if constexpr (std::is_same_v<Pixel, PF_Pixel16>) {
    EXPECT_EQ(halfway.red, 16384);
    EXPECT_EQ(halfway.green, 16384);
  } else {
    EXPECT_EQ(halfway.red, 0.5f);
    EXPECT_EQ(halfway.green, 0.5f);
  }
  EXPECT_EQ(halfway.blue, record.startColour.blue);
  EXPECT_EQ(halfway.alpha, PixelTraits<Pixel>::full);  // the gradation colours' alpha is ignored
}

// k is truncated, not rounded: at u = 1/3, k = trunc(10922.67) = 10922 and an 8-bit channel
// rising 0 → 255 gets trunc(255 · 10922 / 32768) = 84 (85 with k rounded).
TEST(DrawSegment, GradationWeightTruncates) {
  StrokeRecord<PF_Pixel8> record;
  setSingleSample(record, 20, 20, 0.5, 20);
  record.gradation = true;
  record.startColour = PF_Pixel8{255, 0, 0, 0};
  record.centreColour = PF_Pixel8{255, 255, 0, 0};
  record.gradationCentre = 1.5;
  EXPECT_EQ(stampAt(record, 0.5).red, 84);
}

TYPED_TEST(DrawSegmentTest, GradationAtItsCentreIsTheCentreColour) {
  using Pixel = TypeParam;
  StrokeRecord<Pixel> record;
  record.gradation = true;
  record.startColour = pixelOf<Pixel>(1.0, 0.0, 1.0, 0.0);
  record.centreColour = pixelOf<Pixel>(1.0, 0.7, 0.1, 0.9);
  record.endColour = pixelOf<Pixel>(1.0, 0.0, 0.0, 1.0);
  setSingleSample(record, 20, 20, 0.75, 20);
  record.gradationCentre = 0.75;
  const Pixel got = stampAt(record, 0.75);
  EXPECT_EQ(got.red, record.centreColour.red);
  EXPECT_EQ(got.green, record.centreColour.green);
  EXPECT_EQ(got.blue, record.centreColour.blue);
}

TYPED_TEST(DrawSegmentTest, OpacityProfileWithCentreZeroStartsAtFullOpacity) {
  using Pixel = TypeParam;
  using Traits = PixelTraits<Pixel>;
  StrokeRecord<Pixel> record;
  setSingleSample(record, 20, 20, 0.0, 20);
  record.opacityProfile = true;
  record.opacity = 0.75;
  record.startOpacity = 0.1;
  record.endOpacity = 0.25;
  record.opacityCentre = 0.0;
  record.endTaperEnd = 1.0;
  // u = 0 with m = 0 takes the second formula: O itself, not Os.
  EXPECT_EQ(stampAt(record, 0.0).alpha, Traits::alphaFromOpacity(0.75));
  // u = 0.5: O + (Oe − O) · 0.5 = 0.5
  EXPECT_EQ(stampAt(record, 0.5).alpha, Traits::alphaFromOpacity(0.5));
  // Before a centre of 0.5: Os + (O − Os) · u / m, at u = 0.25 halfway from 0.1 to 0.75.
  record.opacityCentre = 0.5;
  EXPECT_EQ(stampAt(record, 0.25).alpha, Traits::alphaFromOpacity(0.1 + (0.75 - 0.1) * 0.25 / 0.5));
  EXPECT_NE(stampAt(record, 0.25).alpha, Traits::alphaFromOpacity(0.75));
}

TYPED_TEST(DrawSegmentTest, StampAlphaPerDepth) {
  using Pixel = TypeParam;
  StrokeRecord<Pixel> record;
  setSingleSample(record, 20, 20, 0.5, 20);
  record.opacity = 0.3;
  const auto alpha = stampAt(record, 0.5).alpha;
  if constexpr (std::is_same_v<Pixel, PF_Pixel8>) {
    EXPECT_EQ(alpha, 76);  // trunc(76.5)
  } else if constexpr (std::is_same_v<Pixel, PF_Pixel16>) {
    EXPECT_EQ(alpha, 9830);  // trunc(9830.4)
  } else {
    EXPECT_EQ(alpha, 0.3f);  // not quantised
  }
}

TYPED_TEST(DrawSegmentTest, WithoutTapersOnlyTheStrokeIsDrawn) {
  using Pixel = TypeParam;
  const struct {
    double s;
    bool drawn;
  } cases[] = {{0.2, false}, {0.25, true}, {0.5, true}, {0.7499, true}, {0.75, false}, {0.9, false}};
  for (const auto& c : cases) {
    StrokeRecord<Pixel> record;
    setSingleSample(record, 20, 20, c.s, 20);
    record.startTaperBegin = 0.25;
    record.endTaperEnd = 0.75;
    EXPECT_EQ(!samePixel(stampAt(record, c.s), Pixel{}), c.drawn) << "s " << c.s;
  }
}

template <class Pixel>
void setTapers(StrokeRecord<Pixel>& record, double startBias, double endBias) {
  record.inOut = true;
  record.startProfile.clear();
  record.endProfile.clear();
  ASSERT_EQ(buildTaperProfile(record.startProfile, startBias, 100.0), PF_Err_NONE);
  ASSERT_EQ(buildTaperProfile(record.endProfile, endBias, 100.0), PF_Err_NONE);
  std::sort(record.endProfile.begin(), record.endProfile.end(),
            [](const PathVertex& a, const PathVertex& b) { return a.x > b.x; });
}

TYPED_TEST(DrawSegmentTest, ZeroStartThicknessSkipsTheFirstSampleOfTheTaper) {
  using Pixel = TypeParam;
  StrokeRecord<Pixel> record;
  setSingleSample(record, 20, 20, 0.0, 20);
  setTapers(record, 0.0, 0.0);
  record.startTipThickness = 0.0;
  record.startTaperBegin = 0.0;
  record.startTaperEnd = 0.5;
  EXPECT_PRED2(samePixel<Pixel>, stampAt(record, 0.0), Pixel{});
  EXPECT_FALSE(samePixel(stampAt(record, 0.25), Pixel{}));
}

// Column heights of a horizontal stroke: rising through the start taper, full in the middle,
// falling through the end taper. A wrong profile direction or hint shows up as a dent.
TYPED_TEST(DrawSegmentTest, TaperedStrokeRisesAndFalls) {
  using Pixel = TypeParam;
  TestCanvas<Pixel> canvas(260, 40);
  StrokeRecord<Pixel> record;
  setStraightStroke(record, 30, 20, 230, 20, 24);
  setTapers(record, -0.3, 0.4);
  record.startTaperEnd = 0.3;
  record.endTaperBegin = 0.7;
  record.startTipThickness = 2.0;
  record.endTipThickness = 0.0;
  DrawStrokeSegment(canvas.canvas, record);
  EXPECT_TRUE(canvas.guardIntact());

  std::vector<int> heights(260, 0);
  for (int px = 0; px < 260; ++px) {
    for (int py = 0; py < 40; ++py) heights[static_cast<std::size_t>(px)] += canvas.at(px, py).alpha > 0 ? 1 : 0;
  }
  for (int px = 31; px <= 90; ++px) EXPECT_GE(heights[px], heights[px - 1]) << "column " << px;
  for (int px = 100; px <= 160; ++px) EXPECT_EQ(heights[px], heights[130]) << "column " << px;
  for (int px = 171; px <= 229; ++px) EXPECT_LE(heights[px], heights[px - 1]) << "column " << px;
  EXPECT_GE(heights[130], 24);
  EXPECT_LE(heights[33], 6);
  EXPECT_LE(heights[228], 6);
}

// Past a fixed end the sample is skipped; inside it the pinned taper narrows the disc.
TYPED_TEST(DrawSegmentTest, FixedEndZones) {
  using Pixel = TypeParam;
  StrokeRecord<Pixel> record;
  setSingleSample(record, 20, 20, 0.6, 20);
  setTapers(record, 0.0, 0.0);
  record.startTaperBegin = 0.0;
  record.startTaperEnd = 0.0;
  record.endTaperBegin = 2.0;
  record.endTaperEnd = 2.0;
  record.fixedEnds = true;
  record.fixedStartBegin = 0.0;
  record.fixedStartEnd = 0.0;
  record.fixedEndBegin = 0.4;
  record.fixedEndEnd = 0.5;
  EXPECT_PRED2(samePixel<Pixel>, stampAt(record, 0.6), Pixel{});
  record.fixedEndEnd = 0.9;
  EXPECT_FALSE(samePixel(stampAt(record, 0.6), Pixel{}));
  // Before a fixed start nothing is drawn either.
  record.fixedStartBegin = 0.65;
  record.fixedStartEnd = 0.7;
  EXPECT_PRED2(samePixel<Pixel>, stampAt(record, 0.6), Pixel{});
}

TYPED_TEST(DrawSegmentTest, EmptyProfilesDrawNothingInTheirZones) {
  using Pixel = TypeParam;
  TestCanvas<Pixel> canvas(120, 40);
  StrokeRecord<Pixel> record;
  setStraightStroke(record, 10, 20, 110, 20, 10);
  record.inOut = true;  // but no profiles
  record.startTaperEnd = 0.3;
  record.endTaperBegin = 0.7;
  DrawStrokeSegment(canvas.canvas, record);
  EXPECT_PRED2(samePixel<Pixel>, canvas.at(20, 20), Pixel{});
  EXPECT_PRED2(samePixel<Pixel>, canvas.at(100, 20), Pixel{});
  EXPECT_PRED2(samePixel<Pixel>, canvas.at(60, 20), record.colour);
}

TYPED_TEST(DrawSegmentTest, WalksThatCannotEndDrawNothing) {
  using Pixel = TypeParam;
  for (const double step : {0.0, -1.0, kNaN, 1e-300}) {
    TestCanvas<Pixel> canvas(60, 30);
    StrokeRecord<Pixel> record;
    setStraightStroke(record, 5, 15, 55, 15, 6);
    record.segment.stepDistance = step;
    EXPECT_EQ(DrawStrokeSegment(canvas.canvas, record), 0);
    EXPECT_TRUE(canvas.allTransparentBlack()) << "step " << step;
  }
}

TYPED_TEST(DrawSegmentTest, DiscsOverTheEdgeAreDrawnAndDiscsBeyondItAreNot) {
  using Pixel = TypeParam;
  const struct {
    double x, y;
    bool drawn;
  } cases[] = {{-3, 10, true},  {-5.5, 10, false}, {34, 10, true},  {36, 10, false},
               {15, -4, true},  {15, -5.5, false}, {15, 23, true},  {15, 26, false}};
  for (const auto& c : cases) {
    TestCanvas<Pixel> canvas(30, 20);
    StrokeRecord<Pixel> record;
    setSingleSample(record, c.x, c.y, 0.5, 10);
    DrawStrokeSegment(canvas.canvas, record);
    EXPECT_EQ(!canvas.allTransparentBlack(), c.drawn) << c.x << ", " << c.y;
    EXPECT_TRUE(canvas.guardIntact());
  }
}

// Without tapers the loop is the walk plus one stamp per point.
TYPED_TEST(DrawSegmentTest, UntaperedSegmentIsOneStampPerWalkedPoint) {
  using Pixel = TypeParam;
  for (const double thickness : {3.0, 14.0}) {
    TestCanvas<Pixel> drawn(120, 80);
    StrokeRecord<Pixel> record;
    record.segment.setUp(10.5, 70.2, 40, -20, 90, 120, 110.3, 15.7);
    const double length = record.segment.totalLength();
    record.segment.beginWalk(length * (1.0 / length), false);
    record.positionStep = 1.0 / length;
    record.colour = pixelOf<Pixel>(0.7, 0.9, 0.5, 0.1);
    record.thickness = thickness;
    record.opacity = 0.7;
    record.length = 1.0;
    record.endTaperEnd = 1.0;
    DrawStrokeSegment(drawn.canvas, record);

    TestCanvas<Pixel> stamped(120, 80);
    BezierSegment walk = record.segment;
    walk.beginWalk(length * (1.0 / length), false);
    Pixel stamp = record.colour;
    stamp.alpha = PixelTraits<Pixel>::alphaFromOpacity(0.7);
    while (walk.step()) {
      if (thickness / 2 < 5.0) {
        StampSmallDisc(stamped.canvas, walk.pointX, walk.pointY, thickness / 2, stamp);
      } else {
        StampLargeDisc(stamped.canvas, walk.pointX, walk.pointY, thickness / 2, stamp);
      }
    }
    for (int py = 0; py < 80; ++py) {
      for (int px = 0; px < 120; ++px) ASSERT_PRED2(samePixel<Pixel>, drawn.at(px, py), stamped.at(px, py));
    }
  }
}

}  // namespace
