// The canvas painter, which skips what earlier stamps already settled, against the
// straightforward loop that blends every pixel of every disc: random strokes at every depth
// (thickness 0.5 to 400 px, tapers, opacity profile, gradation, random colour, copies, the
// wave, curved and straight paths over the canvas edges) must leave the same bits after every
// stroke.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "raster/StampDisc.h"
#include "stroke/CanvasStrokePainter.h"
#include "stroke/StrokeLayout.h"
#include "support/RandomStrokes.h"
#include "support/StraightforwardStamping.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 40;
constexpr int kStrokesPerDepth = 3400;

// A work world that keeps a copy of itself at every composite and is cleared whole.
template <class Pixel>
class SnapshotOutput final : public StrokeOutput {
public:
  SnapshotOutput() : pixels(static_cast<std::size_t>(kWidth) * kHeight) {
    world.data = reinterpret_cast<PF_PixelPtr>(pixels.data());
    world.rowbytes = static_cast<A_long>(kWidth * sizeof(Pixel));
    world.width = kWidth;
    world.height = kHeight;
    canvas.attachWorld(&world, sizeof(Pixel), true);
  }

  PF_Err clearWorkWorld() override {
    std::fill(pixels.begin(), pixels.end(), Pixel{});
    canvas.markCleared();
    return PF_Err_NONE;
  }
  PF_Err compositeWorkWorld() override {
    strokes.push_back(pixels);
    return PF_Err_NONE;
  }
  PF_Err reportProgress(A_long, A_long) override { return PF_Err_NONE; }

  std::vector<Pixel> pixels;
  PF_EffectWorld world{};
  StrokeCanvas canvas;
  std::vector<std::vector<Pixel>> strokes;
};

template <class Painter, class Pixel>
void paint(SnapshotOutput<Pixel>& output, const PathList& paths, const RenderSettings& s,
           const StrokeColours<Pixel>& colours) {
  Painter painter(output.canvas, colours, s.enableGradation, s.useCentreColour);
  const PF_Err err = s.strokeSequentially ? strokePathsSequentially(paths, s, painter, output)
                                          : strokePathsSeparately(paths, s, painter, output);
  ASSERT_EQ(err, PF_Err_NONE);
}

// The first pixel where two strokes differ, as text; empty when they are the same bits.
template <class Pixel>
std::string firstDifference(const std::vector<Pixel>& a, const std::vector<Pixel>& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::memcmp(&a[i], &b[i], sizeof(Pixel)) != 0) {
      return "pixel (" + std::to_string(i % kWidth) + ", " + std::to_string(i / kWidth) + "): " +
             std::to_string(+a[i].alpha) + "," + std::to_string(+a[i].red) + "," + std::to_string(+a[i].green) + "," +
             std::to_string(+a[i].blue) + " vs " + std::to_string(+b[i].alpha) + "," + std::to_string(+b[i].red) +
             "," + std::to_string(+b[i].green) + "," + std::to_string(+b[i].blue);
    }
  }
  return {};
}

template <class Pixel>
class StampingDifferential : public ::testing::Test {};
using Depths = ::testing::Types<PF_Pixel8, PF_Pixel16, PF_PixelFloat>;
TYPED_TEST_SUITE(StampingDifferential, Depths);

TYPED_TEST(StampingDifferential, SkippingSettledPixelsChangesNoBit) {
  using Pixel = TypeParam;
  std::mt19937 random(4000 + sizeof(Pixel));
  int strokes = 0;
  for (int scene = 0; strokes < kStrokesPerDepth; ++scene) {
    PathList paths;
    for (int k = std::uniform_int_distribution<int>(1, 2)(random); k > 0; --k) {
      // A third of the paths straight, where discs are replayed from recorded shapes most.
      const bool straight = std::uniform_int_distribution<int>(0, 2)(random) == 0;
      paths.push_back(straight ? straightPath(random, kWidth, kHeight, 30.0) : randomPath(random, kWidth, kHeight, 20.0));
    }
    const RenderSettings s = randomSettings(random, 0.5, 400.0);
    const StrokeColours<Pixel> colours = randomColours<Pixel>(random);

    SnapshotOutput<Pixel> fast;
    SnapshotOutput<Pixel> oracle;
    // Every other scene four rows at a time, where the processor would take eight.
    if (scene % 2 == 1) fast.canvas.wideRowGroups = false;
    paint<CanvasStrokePainter<Pixel>>(fast, paths, s, colours);
    paint<StraightforwardPainter<Pixel>>(oracle, paths, s, colours);
    ASSERT_EQ(fast.strokes.size(), oracle.strokes.size()) << "scene " << scene;
    for (std::size_t k = 0; k < fast.strokes.size(); ++k) {
      ASSERT_EQ(firstDifference(fast.strokes[k], oracle.strokes[k]), "")
          << "scene " << scene << ", stroke " << k << ", thickness " << s.thickness << ", opacity " << s.opacity
          << ", eight-row groups " << fast.canvas.wideRowGroups;
    }
    strokes += static_cast<int>(fast.strokes.size());
  }
}

// Discs handed to the canvas sink straight, as one segment's stamp loop would: rows crossed
// twice with a gap between, and a second pass over the first, in one colour. The queued discs'
// interiors are gathered per row; a gap must stay a gap.
TYPED_TEST(StampingDifferential, QueuedDiscsKeepGapsBetweenPassesOverARow) {
  using Pixel = TypeParam;
  using Traits = PixelTraits<Pixel>;
  for (const double opacity : {1.0, 0.6}) {
    const Pixel stamp{Traits::alphaFromOpacity(opacity), Traits::fromUnit(0.2), Traits::fromUnit(0.7),
                      Traits::fromUnit(0.4)};
    // The second pass ends at `gapStart`: gaps of a few pixels down to none, and overlaps.
    for (double gapStart = 32.0; gapStart <= 42.0; gapStart += 0.25) {
      SnapshotOutput<Pixel> fast;
      SnapshotOutput<Pixel> oracle;
      {
        CanvasDiscSink<Pixel> queued(fast.canvas);
        StraightforwardDiscSink<Pixel> straight(oracle.canvas);
        const auto both = [&](double x, double y) {
          queued.stamp(x, y, 6.5, stamp);
          straight.stamp(x, y, 6.5, stamp);
        };
        for (double x = 2.0; x <= 24.0; x += 1.0) both(x, 20.25);                // left
        for (double x = gapStart + 18.0; x >= gapStart; x -= 1.0) both(x, 20.25);  // right, back towards it
        for (double x = 10.0; x <= 30.0; x += 1.0) both(x, 23.25);               // over the first pass
      }
      ASSERT_EQ(firstDifference(fast.pixels, oracle.pixels), "") << "opacity " << opacity << ", gap at " << gapStart;
    }
  }
}

// Discs that hold the whole canvas, each of another stamp (never settling), are blended into
// the canvas held as a palette: one value on a cleared canvas, the distinct values of a drawn
// one once such discs go on, or not at all where a busy canvas has too many. A smaller disc
// between them, or the segment's end, writes the pixels back. Every order must give the bits
// of blending every pixel of every disc.
TYPED_TEST(StampingDifferential, DiscsHoldingTheCanvasBlendedAsAPalette) {
  using Pixel = TypeParam;
  using Traits = PixelTraits<Pixel>;
  std::mt19937 random(77 + sizeof(Pixel));
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const auto randomStamp = [&] {
    return Pixel{Traits::alphaFromOpacity(0.05 + 0.95 * unit(random)), Traits::fromUnit(unit(random)),
                 Traits::fromUnit(unit(random)), Traits::fromUnit(unit(random))};
  };
  int held = 0;     // scenes where the canvas was held as a palette after some disc
  int notHeld = 0;  // and where a run of such discs found it too busy to index
  for (int scene = 0; scene < 300; ++scene) {
    SnapshotOutput<Pixel> fast;
    SnapshotOutput<Pixel> oracle;
    bool wasHeld = false;
    bool wasRefused = false;
    for (int segment = 0; segment < 2; ++segment) {
      if (segment == 1 && unit(random) < 0.5) {
        fast.clearWorkWorld();
        oracle.clearWorkWorld();
      }
      CanvasDiscSink<Pixel> sink(fast.canvas);
      StraightforwardDiscSink<Pixel> straight(oracle.canvas);
      const auto both = [&](double x, double y, double r) {
        const Pixel stamp = randomStamp();
        sink.stamp(x, y, r, stamp);
        straight.stamp(x, y, r, stamp);
      };
      // A busy canvas now and then: small discs of many colours, more values than pay to index.
      if (unit(random) < 0.3) {
        for (int k = 0; k < 150; ++k) both(kWidth * unit(random), kHeight * unit(random), 1.5 + 2.5 * unit(random));
      }
      int run = 0;
      for (int k = std::uniform_int_distribution<int>(1, 16)(random); k > 0; --k) {
        // Mostly huge discs round the canvas's middle; now and then one that holds only part.
        const bool huge = unit(random) < 0.8;
        const double r = huge ? 60.0 + 400.0 * unit(random) : 5.0 + 30.0 * unit(random);
        both(kWidth * (-0.5 + 2.0 * unit(random)), kHeight * (-0.5 + 2.0 * unit(random)), r);
        run = huge ? run + 1 : 0;
        wasHeld = wasHeld || fast.canvas.palette.held();
        wasRefused = wasRefused || (run >= 3 && !fast.canvas.palette.held());
      }
    }
    held += wasHeld;
    notHeld += wasRefused;
    ASSERT_EQ(firstDifference(fast.pixels, oracle.pixels), "") << "scene " << scene;
  }
  EXPECT_GT(held, 50);
  EXPECT_GT(notHeld, 5);
}

}  // namespace
