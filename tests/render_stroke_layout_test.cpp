// The stroke loops without a host: the strokes each copy paints, captured at every composite.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <cstdint>
#include <vector>

#include "random/RandomStream.h"
#include "stroke/CanvasStrokePainter.h"
#include "stroke/StrokeLayout.h"

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 60;

// A work world in memory, and the output side of the loop recording what it is asked to do.
class RecordingOutput final : public StrokeOutput {
public:
  RecordingOutput() : pixels(kWidth * kHeight) {
    world.data = pixels.data();
    world.rowbytes = kWidth * static_cast<A_long>(sizeof(PF_Pixel8));
    world.width = kWidth;
    world.height = kHeight;
  }

  PF_Err clearWorkWorld() override {
    ++clears;
    std::fill(pixels.begin(), pixels.end(), PF_Pixel8{});
    if (canvas != nullptr) canvas->markCleared();
    return PF_Err_NONE;
  }
  PF_Err compositeWorkWorld() override {
    strokes.push_back(pixels);
    return PF_Err_NONE;
  }
  PF_Err reportProgress(A_long current, A_long total) override {
    progress.emplace_back(current, total);
    return progress.size() == cancelAt ? PF_Interrupt_CANCEL : PF_Err_NONE;
  }

  // The columns a stroke touched on the path's row.
  std::vector<int> paintedColumns(std::size_t stroke, int row) const {
    std::vector<int> columns;
    for (int x = 0; x < kWidth; ++x) {
      if (strokes.at(stroke)[static_cast<std::size_t>(row * kWidth + x)].alpha > 0) columns.push_back(x);
    }
    return columns;
  }
  // Mean column of everything a stroke painted.
  double centroidX(std::size_t stroke) const {
    double sum = 0, weight = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const int a = strokes.at(stroke)[static_cast<std::size_t>(y * kWidth + x)].alpha;
        sum += a * x;
        weight += a;
      }
    }
    return weight > 0 ? sum / weight : -1;
  }

  std::vector<PF_Pixel8> pixels;
  PF_EffectWorld world{};
  StrokeCanvas* canvas = nullptr;  // told when the work world is cleared
  int clears = 0;
  std::vector<std::vector<PF_Pixel8>> strokes;
  std::vector<std::pair<A_long, A_long>> progress;
  std::size_t cancelAt = 0;
};

// A straight path along row y from x0 to x1, handles on the line.
Path line(double x0, double x1, double y) {
  return Path{PathVertex{x0, y, x0, y, x0, y}, PathVertex{x1, y, x1, y, x1, y}};
}

RenderSettings plainSettings() {
  RenderSettings s;
  s.opacity = 1.0;
  s.thickness = 2.0;
  s.length = 1.0;
  s.startBias = 0.15;
  s.endBias = 0.15;
  s.loopBuffer = 100;
  s.strokesPerPath = 1;
  return s;
}

struct StrokeRun {
  RecordingOutput output;
  PF_Err err = PF_Err_NONE;
};

// Strokes of colour (10, 20, 30) painted into the output's work world.
template <class Loop>
void stroke(StrokeRun& run, const PathList& paths, const RenderSettings& s, Loop loop) {
  StrokeCanvas canvas;
  canvas.attachWorld(&run.output.world, sizeof(PF_Pixel8), true);
  run.output.canvas = &canvas;
  StrokeColours<PF_Pixel8> colours;
  colours.colour = PF_Pixel8{255, 10, 20, 30};
  CanvasStrokePainter<PF_Pixel8> painter(canvas, colours, s.enableGradation, s.useCentreColour);
  run.err = loop(paths, s, painter, run.output);
  run.output.canvas = nullptr;
}

void strokeSeparately(StrokeRun& run, const PathList& paths, const RenderSettings& s) {
  stroke(run, paths, s, strokePathsSeparately);
}

void strokeSequentially(StrokeRun& run, const PathList& paths, const RenderSettings& s) {
  stroke(run, paths, s, strokePathsSequentially);
}

// The seed v whose three-step jump is `state`: v = (state − 3539360597) · 1170746341⁻¹ (mod 2³²).
std::uint32_t seedForState(std::uint32_t state) {
  std::uint32_t inverse = 1;  // Newton's iteration for the inverse of an odd number mod 2³²
  for (int i = 0; i < 5; ++i) inverse *= 2u - 1170746341u * inverse;
  return (state - 3539360597u) * inverse;
}

TEST(StrokeLayout, WholePathWithoutRandomness) {
  StrokeRun run;
  strokeSeparately(run, {line(20, 220, 30)}, plainSettings());
  ASSERT_EQ(run.err, PF_Err_NONE);
  ASSERT_EQ(run.output.strokes.size(), 1u);
  const std::vector<int> columns = run.output.paintedColumns(0, 30);
  ASSERT_FALSE(columns.empty());
  EXPECT_LE(columns.front(), 21);
  EXPECT_GE(columns.back(), 219);
  EXPECT_THAT(run.output.progress, ::testing::ElementsAre(std::pair<A_long, A_long>{1024, 1024}));
}

TEST(StrokeLayout, NegativeLengthLiesBehindTheOffset) {
  // "Length" −50 %, "Drawing Offset" 100 %: the stroke covers 0.5 … 1.
  RenderSettings s = plainSettings();
  s.length = 0.5;
  s.reverse = true;
  s.drawingOffset = 1.0;
  StrokeRun run;
  strokeSeparately(run, {line(20, 220, 30)}, s);
  const std::vector<int> columns = run.output.paintedColumns(0, 30);
  ASSERT_FALSE(columns.empty());
  EXPECT_NEAR(columns.front(), 120, 1);
  EXPECT_GE(columns.back(), 219);
}

TEST(StrokeLayout, LoopPassTwoWrapsToTheStart) {
  // Offset 0.8, length 0.5, no gap: pass 0 paints 0.8 … 1, pass 1 the first 30 % of the path.
  RenderSettings s = plainSettings();
  s.loop = true;
  s.length = 0.5;
  s.drawingOffset = 0.8;  // O = O0 + (L − Li) / 2, and Li = L without randomness
  StrokeRun run;
  strokeSeparately(run, {line(20, 220, 30)}, s);
  ASSERT_EQ(run.output.strokes.size(), 1u);
  const std::vector<int> columns = run.output.paintedColumns(0, 30);
  ASSERT_FALSE(columns.empty());
  EXPECT_LE(columns.front(), 21);  // from the start of the path …
  EXPECT_TRUE(std::find(columns.begin(), columns.end(), 79) != columns.end());  // … to 30 % …
  EXPECT_TRUE(std::find(columns.begin(), columns.end(), 120) == columns.end());  // … a gap …
  EXPECT_TRUE(std::find(columns.begin(), columns.end(), 181) != columns.end());  // … from 80 % on
  EXPECT_GE(columns.back(), 219);
}

TEST(StrokeLayout, LoopIntervalLeavesAGapAfterThePathEnd) {
  // Interval 50 %: P = 1.5; offset −0.25 wraps to 1.25. Pass 0 paints nothing (the path ends at
  // 1); pass 1 lays the path again from 1.5, so the stroke's part beyond 1.5 starts the path.
  RenderSettings s = plainSettings();
  s.loop = true;
  s.loopInterval = 0.5;
  s.length = 0.5;
  s.drawingOffset = -0.25;
  StrokeRun run;
  strokeSeparately(run, {line(20, 220, 30)}, s);
  const std::vector<int> columns = run.output.paintedColumns(0, 30);
  ASSERT_FALSE(columns.empty());
  EXPECT_LE(columns.front(), 21);
  EXPECT_NEAR(columns.back(), 70, 1);
}

TEST(StrokeLayout, CopiesSpreadEvenlyAroundThePath) {
  RenderSettings s = plainSettings();
  s.length = 0.2;
  s.drawingOffset = 0.4;
  StrokeRun single;
  strokeSeparately(single, {line(20, 220, 30)}, s);
  const double nominal = single.output.centroidX(0);
  // Three copies at −d, 0, +d; two at −d/2, +d/2.
  for (A_long copies : {3, 2}) {
    s.enableCopy = true;
    s.strokesPerPath = copies;
    s.copyOffsetX = 10;
    StrokeRun run;
    strokeSeparately(run, {line(20, 220, 30)}, s);
    ASSERT_EQ(run.output.strokes.size(), static_cast<std::size_t>(copies));
    const double first = copies == 3 ? -10.0 : -5.0;
    for (A_long c = 0; c < copies; ++c) {
      EXPECT_NEAR(run.output.centroidX(static_cast<std::size_t>(c)), nominal + first + 10.0 * c, 1e-9)
          << copies << " copies, copy " << c;
    }
  }
}

TEST(StrokeLayout, CopyRandomCountsFromTheFirstValueOfThePathStream) {
  // With "Random Seed" 0 the first path's stream starts from S; its first value 0 is a signed −1.
  RenderSettings s = plainSettings();
  s.enableCopy = true;
  s.effectiveSeed = static_cast<A_long>(seedForState(0));
  ASSERT_EQ(RandomStream::afterThreeSteps(static_cast<std::uint32_t>(s.effectiveSeed)).output(), 0u);
  s.copyRandom = 3;  // |1 − 3| = 2 copies
  StrokeRun two;
  strokeSeparately(two, {line(20, 220, 30)}, s);
  EXPECT_EQ(two.output.strokes.size(), 2u);
  s.copyRandom = 1;  // |1 − 1| = 0, which still draws one
  StrokeRun one;
  strokeSeparately(one, {line(20, 220, 30)}, s);
  EXPECT_EQ(one.output.strokes.size(), 1u);
  s.enableCopy = false;  // without copies the count is the base, whatever the draw
  s.copyRandom = 3;
  StrokeRun off;
  strokeSeparately(off, {line(20, 220, 30)}, s);
  EXPECT_EQ(off.output.strokes.size(), 1u);
}

TEST(StrokeLayout, ZeroLengthStillClearsAndCompositesEveryCopy) {
  RenderSettings s = plainSettings();
  s.length = 0.0;
  StrokeRun run;
  strokeSeparately(run, {line(20, 220, 30), Path{}, line(20, 40, 10)}, s);
  EXPECT_EQ(run.err, PF_Err_NONE);
  EXPECT_EQ(run.output.clears, 3);
  ASSERT_EQ(run.output.strokes.size(), 3u);
  for (const auto& stroke : run.output.strokes) {
    EXPECT_TRUE(std::all_of(stroke.begin(), stroke.end(), [](const PF_Pixel8& p) { return p.alpha == 0; }));
  }
  EXPECT_THAT(run.output.progress, ::testing::ElementsAre(std::pair<A_long, A_long>{341, 1024},
                                                          std::pair<A_long, A_long>{682, 1024},
                                                          std::pair<A_long, A_long>{1024, 1024}));
}

TEST(StrokeLayout, ACancelledProgressStopsTheLoop) {
  StrokeRun run;
  run.output.cancelAt = 1;
  strokeSeparately(run, {line(20, 220, 30), line(20, 220, 40)}, plainSettings());
  EXPECT_EQ(run.err, PF_Interrupt_CANCEL);
  EXPECT_EQ(run.output.strokes.size(), 1u);
}

TEST(StrokeLayout, SequentialStrokesRunAcrossPaths) {
  // Paths of 150 and 50 px: one stroke over both; the second occupies positions 0.75 … 1.
  RenderSettings s = plainSettings();
  s.length = 0.5;
  s.drawingOffset = 0.5;  // O = 0.5 + (0.5 − 0.5)/2
  StrokeRun run;
  strokeSequentially(run, {line(20, 170, 30), line(180, 230, 10)}, s);
  ASSERT_EQ(run.err, PF_Err_NONE);
  ASSERT_EQ(run.output.strokes.size(), 1u);
  const std::vector<int> first = run.output.paintedColumns(0, 30);
  const std::vector<int> second = run.output.paintedColumns(0, 10);
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_NEAR(first.front(), 120, 1);  // position 0.5 of the 200 px chain
  EXPECT_GE(first.back(), 169);
  EXPECT_LE(second.front(), 181);
  EXPECT_GE(second.back(), 229);
}

TEST(StrokeLayout, SequentialLoopContinuesPastADegenerateFirstPath) {
  // The second pass starts at P only where the chain's first path has a segment; a one-point
  // first path must not make the wrapped part of the stroke vanish.
  RenderSettings s = plainSettings();
  s.loop = true;
  s.length = 0.5;
  s.drawingOffset = 0.8;
  StrokeRun alone;
  strokeSequentially(alone, {line(20, 220, 30)}, s);
  StrokeRun afterPoint;
  strokeSequentially(afterPoint, {Path{PathVertex{5, 5, 5, 5, 5, 5}}, line(20, 220, 30)}, s);
  const std::vector<int> expected = alone.output.paintedColumns(0, 30);
  ASSERT_FALSE(expected.empty());
  EXPECT_LE(expected.front(), 21);
  EXPECT_EQ(afterPoint.output.paintedColumns(0, 30), expected);
}

TEST(StrokeLayout, SequentialTapersAreFractionsOfEachPath) {
  // 300 and 100 px, "Start Length" and "End Length" 20 %: a 60 px start taper on path 0 and a
  // 20 px end taper on path 1; with fixed ends each path also gets its own tapers at its ends.
  RenderSettings s = plainSettings();
  s.enableInOut = true;
  s.thickness = 12;
  s.startLength = 0.2;
  s.endLength = 0.2;
  auto widthAt = [](const std::vector<PF_Pixel8>& stroke, int x, int centreRow) {
    int w = 0;
    for (int y = centreRow - 9; y <= centreRow + 9; ++y) w += stroke[static_cast<std::size_t>(y * kWidth + x)].alpha > 128;
    return w;
  };
  const PathList paths = {line(10, 310, 15), line(310, 410, 45)};

  StrokeRun plain;
  strokeSequentially(plain, paths, s);
  ASSERT_EQ(plain.err, PF_Err_NONE);
  const auto& a = plain.output.strokes.at(0);
  const int full = widthAt(a, 160, 15);
  EXPECT_GE(full, 10);
  EXPECT_LT(widthAt(a, 50, 15), full);   // inside the 60 px start taper
  EXPECT_EQ(widthAt(a, 80, 15), full);   // past it
  EXPECT_EQ(widthAt(a, 305, 15), full);  // path 0's end: no taper
  EXPECT_EQ(widthAt(a, 315, 45), full);  // path 1's start: no taper
  EXPECT_EQ(widthAt(a, 385, 45), full);  // before the end taper
  EXPECT_LT(widthAt(a, 405, 45), full);  // inside the 20 px end taper

  s.fixedEndsShape = true;
  StrokeRun fixed;
  strokeSequentially(fixed, paths, s);
  const auto& b = fixed.output.strokes.at(0);
  EXPECT_EQ(widthAt(b, 240, 15), full);
  EXPECT_LT(widthAt(b, 300, 15), full);  // path 0 pinned at its end: a 60 px taper
  EXPECT_LT(widthAt(b, 315, 45), full);  // path 1 pinned at its start: a 20 px taper
  EXPECT_EQ(widthAt(b, 335, 45), full);
}

TEST(StrokeLayout, EmptyListDrawsNothing) {
  StrokeRun run;
  strokeSeparately(run, {}, plainSettings());
  EXPECT_EQ(run.err, PF_Err_NONE);
  EXPECT_EQ(run.output.clears, 0);
  StrokeRun sequential;
  strokeSequentially(sequential, {}, plainSettings());
  EXPECT_EQ(sequential.err, PF_Err_NONE);
}

TEST(StrokeLayout, NonFiniteMasksEndTheRenderWithoutHanging) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double bad : {nan, inf, 1e300}) {
    StrokeRun run;
    strokeSeparately(run, {line(20, bad, 30)}, plainSettings());
    EXPECT_TRUE(run.err == PF_Err_NONE || run.err == PF_Err_BAD_CALLBACK_PARAM) << bad;
  }
}

}  // namespace
