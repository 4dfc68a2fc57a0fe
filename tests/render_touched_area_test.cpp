// The work world outside the canvas's touched rectangle stays transparent through every
// stroke, so clearing and compositing only that rectangle gives the output every other pixel
// would have given. Random strokes at every depth, reaching over the canvas edges, with the
// output side clearing only what was touched.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "stroke/CanvasStrokePainter.h"
#include "stroke/StrokeLayout.h"

namespace {

constexpr int kWidth = 97;
constexpr int kHeight = 61;

template <class Pixel>
bool transparent(const Pixel& p) {
  return p.alpha == 0 && p.red == 0 && p.green == 0 && p.blue == 0;
}

// Clears only the touched rectangle and, at every composite, finds any painted pixel outside it.
template <class Pixel>
class TouchedAreaOutput final : public StrokeOutput {
public:
  TouchedAreaOutput(StrokeCanvas& canvas, std::vector<Pixel>& pixels) : canvas_(canvas), pixels_(pixels) {}

  PF_Err clearWorkWorld() override {
    for (A_long y = canvas_.touched.top; y < canvas_.touched.bottom; ++y) {
      for (A_long x = canvas_.touched.left; x < canvas_.touched.right; ++x) pixels_[index(x, y)] = Pixel{};
    }
    canvas_.forgetTouched();
    return PF_Err_NONE;
  }
  PF_Err compositeWorkWorld() override {
    ++composites;
    const PF_LRect& t = canvas_.touched;
    for (A_long y = 0; y < kHeight; ++y) {
      for (A_long x = 0; x < kWidth; ++x) {
        const bool inside = x >= t.left && x < t.right && y >= t.top && y < t.bottom;
        if (!transparent(pixels_[index(x, y)])) {
          ++paintedPixels;
          if (!inside) ++paintedOutside;
        }
      }
    }
    return PF_Err_NONE;
  }
  PF_Err reportProgress(A_long, A_long) override { return PF_Err_NONE; }

  int composites = 0;
  std::int64_t paintedPixels = 0;
  std::int64_t paintedOutside = 0;

private:
  static std::size_t index(A_long x, A_long y) { return static_cast<std::size_t>(y) * kWidth + x; }
  StrokeCanvas& canvas_;
  std::vector<Pixel>& pixels_;
};

// A random Bezier path of two to five vertices, some of them off the canvas.
Path randomPath(std::mt19937& random) {
  std::uniform_real_distribution<double> x(-30.0, kWidth + 30.0);
  std::uniform_real_distribution<double> y(-30.0, kHeight + 30.0);
  std::uniform_real_distribution<double> handle(-25.0, 25.0);
  Path path(std::uniform_int_distribution<int>(2, 5)(random));
  for (PathVertex& v : path) {
    v.x = x(random);
    v.y = y(random);
    v.inTangentX = v.x + handle(random);
    v.inTangentY = v.y + handle(random);
    v.outTangentX = v.x + handle(random);
    v.outTangentY = v.y + handle(random);
  }
  return path;
}

RenderSettings randomSettings(std::mt19937& random) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  RenderSettings s;
  s.strokeSequentially = unit(random) < 0.5;
  s.opacity = 0.2 + 0.8 * unit(random);
  s.thickness = 0.5 + 40.0 * unit(random) * unit(random);
  s.length = 0.3 + 0.7 * unit(random);
  s.drawingOffset = unit(random);
  s.enableInOut = unit(random) < 0.5;
  s.startThickness = unit(random);
  s.startLength = 0.3 * unit(random);
  s.endThickness = unit(random);
  s.endLength = 0.3 * unit(random);
  s.useStartEndOpacity = unit(random) < 0.5;
  s.startOpacity = unit(random);
  s.endOpacity = unit(random);
  s.opacityCentre = 0.5;
  s.enableCopy = unit(random) < 0.5;
  s.copyOffsetX = 20.0 * unit(random) - 10.0;
  s.copyOffsetY = 20.0 * unit(random) - 10.0;
  s.thicknessRandom = unit(random);
  s.offsetXRandom = 10.0 * unit(random);
  s.enableWave = unit(random) < 0.3;
  s.waveAmount = 6.0 * unit(random);
  s.waveLength = 5.0;
  s.loopBuffer = 100;
  s.effectiveSeed = static_cast<std::int32_t>(random() & 0xffff);
  s.strokesPerPath = s.enableCopy ? 3 : 1;
  return s;
}

template <class Pixel>
class TouchedArea : public ::testing::Test {};
using Depths = ::testing::Types<PF_Pixel8, PF_Pixel16, PF_PixelFloat>;
TYPED_TEST_SUITE(TouchedArea, Depths);

TYPED_TEST(TouchedArea, NothingIsPaintedOutsideTheTouchedRectangle) {
  using Pixel = TypeParam;
  std::mt19937 random(20261206);
  std::int64_t painted = 0;
  for (int scene = 0; scene < 60; ++scene) {
    std::vector<Pixel> pixels(static_cast<std::size_t>(kWidth) * kHeight);
    PF_EffectWorld world{};
    world.data = reinterpret_cast<PF_PixelPtr>(pixels.data());
    world.rowbytes = static_cast<A_long>(kWidth * sizeof(Pixel));
    world.width = kWidth;
    world.height = kHeight;
    StrokeCanvas canvas;
    canvas.attachWorld(&world);

    PathList paths;
    for (int k = std::uniform_int_distribution<int>(1, 3)(random); k > 0; --k) paths.push_back(randomPath(random));
    const RenderSettings s = randomSettings(random);
    StrokeColours<Pixel> colours;
    colours.colour.alpha = PixelTraits<Pixel>::full;
    colours.colour.green = PixelTraits<Pixel>::full;

    CanvasStrokePainter<Pixel> painter(canvas, colours, false, false);
    TouchedAreaOutput<Pixel> output(canvas, pixels);
    const PF_Err err = s.strokeSequentially ? strokePathsSequentially(paths, s, painter, output)
                                            : strokePathsSeparately(paths, s, painter, output);
    ASSERT_EQ(err, PF_Err_NONE) << "scene " << scene;
    EXPECT_EQ(output.paintedOutside, 0) << "scene " << scene;
    painted += output.paintedPixels;
  }
  // The scenes did paint (a touched rectangle that stays empty would pass trivially).
  EXPECT_GT(painted, 10000);
}

}  // namespace
