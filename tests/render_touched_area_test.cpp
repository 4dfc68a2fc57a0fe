// The work world outside the canvas's touched rectangle stays transparent through every
// stroke, so clearing and compositing only that rectangle gives the output every other pixel
// would have given. Random strokes at every depth, reaching over the canvas edges, with the
// output side clearing only what was touched.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "stroke/CanvasStrokePainter.h"
#include "stroke/StrokeLayout.h"
#include "support/RandomStrokes.h"

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
    canvas_.markCleared();
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
    for (int k = std::uniform_int_distribution<int>(1, 3)(random); k > 0; --k) paths.push_back(randomPath(random, kWidth, kHeight, 30.0));
    const RenderSettings s = randomSettings(random, 0.5, 40.0);
    CanvasStrokePainter<Pixel> painter(canvas, randomColours<Pixel>(random), s.enableGradation, s.useCentreColour);
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
