// The work world outside the canvas's touched rectangle stays transparent through every
// stroke, so clearing and compositing only that rectangle gives the output every other pixel
// would have given. Random strokes at every depth, reaching over the canvas edges, with the
// output side clearing only what was touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "raster/TouchedArea.h"
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

// A kWidth x kHeight world over the pixels, rows unpadded.
template <class Pixel>
PF_EffectWorld worldOf(std::vector<Pixel>& pixels) {
  PF_EffectWorld world{};
  world.data = reinterpret_cast<PF_PixelPtr>(pixels.data());
  world.rowbytes = static_cast<A_long>(kWidth * sizeof(Pixel));
  world.width = kWidth;
  world.height = kHeight;
  return world;
}

// A work world whose host clears only the rectangles the canvas hands out.
template <class Pixel>
class RectClearingOutput : public StrokeOutput {
public:
  RectClearingOutput(StrokeCanvas& canvas, std::vector<Pixel>& pixels) : canvas_(canvas), pixels_(pixels) {}

  PF_Err clearWorkWorld() override {
    canvas_.touched.forEachRect([&](const PF_LRect& r) {
      for (A_long y = r.top; y < r.bottom; ++y) std::fill_n(&pixels_[index(r.left, y)], r.right - r.left, Pixel{});
      return PF_Err_NONE;
    });
    canvas_.markCleared();
    return PF_Err_NONE;
  }
  PF_Err reportProgress(A_long, A_long) override { return PF_Err_NONE; }

protected:
  static std::size_t index(A_long x, A_long y) { return static_cast<std::size_t>(y) * kWidth + x; }
  StrokeCanvas& canvas_;
  std::vector<Pixel>& pixels_;
};

// At every composite, finds any painted pixel outside the touched area.
template <class Pixel>
class TouchedAreaOutput final : public RectClearingOutput<Pixel> {
public:
  using RectClearingOutput<Pixel>::RectClearingOutput;

  // A painted pixel counts as inside when it is both in the touched area and in one of the
  // rectangles handed to the host.
  PF_Err compositeWorkWorld() override {
    ++composites;
    std::vector<bool> handedOut(static_cast<std::size_t>(kWidth) * kHeight);
    this->canvas_.touched.forEachRect([&](const PF_LRect& r) {
      for (A_long y = r.top; y < r.bottom; ++y) {
        for (A_long x = r.left; x < r.right; ++x) handedOut[this->index(x, y)] = true;
      }
      return PF_Err_NONE;
    });
    for (A_long y = 0; y < kHeight; ++y) {
      for (A_long x = 0; x < kWidth; ++x) {
        const bool inside = this->canvas_.touched.contains(x, y) && handedOut[this->index(x, y)];
        if (!transparent(this->pixels_[this->index(x, y)])) {
          ++paintedPixels;
          if (!inside) ++paintedOutside;
        }
      }
    }
    return PF_Err_NONE;
  }

  int composites = 0;
  std::int64_t paintedPixels = 0;
  std::int64_t paintedOutside = 0;
};

template <class Pixel>
class StrokesTouchedArea : public ::testing::Test {};
using Depths = ::testing::Types<PF_Pixel8, PF_Pixel16, PF_PixelFloat>;
TYPED_TEST_SUITE(StrokesTouchedArea, Depths);

TYPED_TEST(StrokesTouchedArea, NothingIsPaintedOutsideTheTouchedArea) {
  using Pixel = TypeParam;
  std::mt19937 random(20261206);
  std::int64_t painted = 0;
  for (int scene = 0; scene < 60; ++scene) {
    std::vector<Pixel> pixels(static_cast<std::size_t>(kWidth) * kHeight);
    PF_EffectWorld world = worldOf(pixels);
    StrokeCanvas canvas;
    canvas.attachWorld(&world, sizeof(Pixel), true);

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

// Keeps, at every composite, what the rectangles handed out hold.
template <class Pixel>
class HandedOutRecorder final : public RectClearingOutput<Pixel> {
public:
  using RectClearingOutput<Pixel>::RectClearingOutput;

  // What the host would lay over the output: the rectangles' pixels, transparent elsewhere.
  PF_Err compositeWorkWorld() override {
    std::vector<Pixel> laidOver(this->pixels_.size());
    this->canvas_.touched.forEachRect([&](const PF_LRect& r) {
      for (A_long y = r.top; y < r.bottom; ++y) std::copy_n(&this->pixels_[this->index(r.left, y)], r.right - r.left, &laidOver[this->index(r.left, y)]);
      return PF_Err_NONE;
    });
    const auto* bytes = reinterpret_cast<const unsigned char*>(laidOver.data());
    record.insert(record.end(), bytes, bytes + laidOver.size() * sizeof(Pixel));
    return PF_Err_NONE;
  }
  std::vector<unsigned char> record;
};

// A work world made without clearing, full of leftovers, lays the same pixels over the output,
// stroke after stroke, as a cleared one (the rectangles may differ where they join gaps).
TYPED_TEST(StrokesTouchedArea, AWorldNotClearedGivesWhatAClearedOneGives) {
  using Pixel = TypeParam;
  std::mt19937 random(29 + sizeof(Pixel));
  for (int scene = 0; scene < 60; ++scene) {
    PathList paths;
    for (int k = std::uniform_int_distribution<int>(1, 3)(random); k > 0; --k) paths.push_back(randomPath(random, kWidth, kHeight, 30.0));
    // Up to thicknesses whose discs hold the whole canvas.
    const RenderSettings s = randomSettings(random, 0.5, 400.0);
    const StrokeColours<Pixel> colours = randomColours<Pixel>(random);
    std::vector<unsigned char> records[2];
    for (const bool cleared : {true, false}) {
      std::vector<Pixel> pixels(static_cast<std::size_t>(kWidth) * kHeight);
      if (!cleared) std::fill_n(reinterpret_cast<unsigned char*>(pixels.data()), pixels.size() * sizeof(Pixel), 0xA5);
      PF_EffectWorld world = worldOf(pixels);
      StrokeCanvas canvas;
      canvas.attachWorld(&world, sizeof(Pixel), cleared);
      CanvasStrokePainter<Pixel> painter(canvas, colours, s.enableGradation, s.useCentreColour);
      HandedOutRecorder<Pixel> output(canvas, pixels);
      const PF_Err err = s.strokeSequentially ? strokePathsSequentially(paths, s, painter, output)
                                              : strokePathsSeparately(paths, s, painter, output);
      ASSERT_EQ(err, PF_Err_NONE) << "scene " << scene;
      records[cleared ? 0 : 1] = std::move(output.record);
    }
    ASSERT_EQ(records[0], records[1]) << "scene " << scene;
  }
}

}  // namespace

namespace {

// The rectangles handed to the host: disjoint, every touched pixel in one of them, and each
// pixel handed out near a touched one (in its tile row, within the joined gap of tiles).
TEST(TouchedAreaRects, CoverEveryTouchedPixelOnceAndLittleElse) {
  std::mt19937 random(61);
  constexpr A_long kTile = TouchedArea::kTile;
  constexpr A_long kReach = (TouchedArea::kJoinedGapTiles + 1) * kTile;
  for (int round = 0; round < 300; ++round) {
    const A_long width = std::uniform_int_distribution<A_long>(1, 400)(random);
    const A_long height = std::uniform_int_distribution<A_long>(1, 300)(random);
    // Half the rounds on a world not cleared: tiles are cleared as they are first touched.
    const bool pixelsCleared = round % 2 == 0;
    TouchedArea area;
    area.reset(width, height, pixelsCleared);
    std::vector<int> clearedTimes(static_cast<std::size_t>(width) * height, pixelsCleared ? 1 : 0);
    const auto clearTile = [&](const PF_LRect& tile) {
      EXPECT_TRUE(tile.left % kTile == 0 && tile.top % kTile == 0 && tile.left < tile.right &&
                  tile.bottom - tile.top <= kTile && tile.right <= width && tile.bottom <= height);
      for (A_long y = tile.top; y < tile.bottom; ++y) {
        for (A_long x = tile.left; x < tile.right; ++x) ++clearedTimes[static_cast<std::size_t>(y) * width + x];
      }
    };
    std::vector<bool> touched(static_cast<std::size_t>(width) * height);
    for (int k = std::uniform_int_distribution<int>(1, 40)(random); k > 0; --k) {
      const A_long x0 = std::uniform_int_distribution<A_long>(0, width - 1)(random);
      const A_long y0 = std::uniform_int_distribution<A_long>(0, height - 1)(random);
      const A_long x1 = std::uniform_int_distribution<A_long>(x0 + 1, std::min(width, x0 + 60))(random);
      const A_long y1 = std::uniform_int_distribution<A_long>(y0 + 1, std::min(height, y0 + 60))(random);
      area.add(PF_LRect{x0, y0, x1, y1}, clearTile);
      for (A_long y = y0; y < y1; ++y) {
        for (A_long x = x0; x < x1; ++x) touched[static_cast<std::size_t>(y) * width + x] = true;
      }
    }
    // Per tile row, the columns holding a touched pixel.
    const A_long tileRows = (height + kTile - 1) / kTile;
    std::vector<bool> columnTouched(static_cast<std::size_t>(tileRows) * width);
    for (A_long y = 0; y < height; ++y) {
      for (A_long x = 0; x < width; ++x) {
        if (touched[static_cast<std::size_t>(y) * width + x]) columnTouched[static_cast<std::size_t>(y / kTile) * width + x] = true;
      }
    }
    std::vector<int> visits(touched.size());
    area.forEachRect([&](const PF_LRect& r) {
      EXPECT_TRUE(r.left < r.right && r.top < r.bottom && r.left >= 0 && r.right <= width && r.bottom <= height);
      for (A_long y = r.top; y < r.bottom; ++y) {
        for (A_long x = r.left; x < r.right; ++x) {
          ++visits[static_cast<std::size_t>(y) * width + x];
          EXPECT_EQ(clearedTimes[static_cast<std::size_t>(y) * width + x], 1)
              << "round " << round << ": " << x << ", " << y << " handed out but never cleared (or twice)";
          bool near = false;
          for (A_long n = std::max<A_long>(0, x - kReach); n < std::min(width, x + kReach) && !near; ++n) {
            near = columnTouched[static_cast<std::size_t>(y / kTile) * width + n];
          }
          EXPECT_TRUE(near) << "round " << round << ": " << x << ", " << y << " handed out far from any touched pixel";
        }
      }
      return PF_Err_NONE;
    });
    for (A_long y = 0; y < height; ++y) {
      for (A_long x = 0; x < width; ++x) {
        const std::size_t i = static_cast<std::size_t>(y) * width + x;
        ASSERT_LE(visits[i], 1) << "round " << round;
        ASSERT_TRUE(!touched[i] || (visits[i] == 1 && area.contains(x, y))) << "round " << round << " pixel " << x << ", " << y;
      }
    }

    area.forget();
    EXPECT_TRUE(area.empty());
    int after = 0;
    area.forEachRect([&](const PF_LRect&) { return ++after, PF_Err_NONE; });
    EXPECT_EQ(after, 0);
    EXPECT_FALSE(area.contains(0, 0));
    // What the host cleared stays cleared: touched again, nothing is cleared a second time.
    area.add(PF_LRect{0, 0, width, height}, clearTile);
    for (const int times : clearedTimes) ASSERT_EQ(times, 1) << "round " << round;
  }
}

// Consecutive boxes in the tiles touched last pass the tiles by; once the area forgets them,
// the same box touches (and, forgotten uncleared, clears) them again.
TEST(TouchedAreaRects, ABoxInTheLastTilesIsTouchedAgainAfterAForget) {
  TouchedArea area;
  area.reset(100, 100, false);
  int clears = 0;
  const auto countClears = [&](const PF_LRect&) { ++clears; };
  const PF_LRect box{20, 20, 30, 30};
  area.add(box, countClears);
  area.add(PF_LRect{21, 21, 31, 31}, countClears);  // the same tile
  EXPECT_EQ(clears, 1);
  for (const bool uncleared : {false, true}) {
    if (uncleared) {
      area.forgetUncleared();
    } else {
      area.forget();
    }
    EXPECT_FALSE(area.contains(25, 25));
    area.add(box, countClears);
    EXPECT_TRUE(area.contains(25, 25));
    int rects = 0;
    area.forEachRect([&](const PF_LRect& r) {
      EXPECT_TRUE(r.left <= box.left && r.top <= box.top && r.right >= box.right && r.bottom >= box.bottom);
      return ++rects, PF_Err_NONE;
    });
    EXPECT_EQ(rects, 1);
  }
  EXPECT_EQ(clears, 2);  // the second time round only: forget() counts the tile cleared
}

TEST(TouchedAreaRects, StopAtTheFirstError) {
  TouchedArea area;
  area.reset(1000, 1000, true);
  const auto nothingToClear = [](const PF_LRect&) {};
  area.add(PF_LRect{0, 0, 10, 10}, nothingToClear);
  area.add(PF_LRect{900, 500, 1000, 510}, nothingToClear);
  int calls = 0;
  const PF_Err err = area.forEachRect([&](const PF_LRect&) { return ++calls, PF_Err_OUT_OF_MEMORY; });
  EXPECT_EQ(err, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(calls, 1);
}

}  // namespace
