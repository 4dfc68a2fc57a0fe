// Rims drawn by regions: each queued disc (radius 10 on) draws only the rim pixels no farther from it than
// from its neighbours in the run, and pixels their nearest disc passed by are settled when the
// run ends. What that rests on is checked over many radii and every offset, and the drawing
// against the oracle that blends every disc in full, on strokes that curl round, double back,
// turn sharp corners and run off the canvas, long enough that queues are drawn mid-run.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "raster/DiscRegions.h"
#include "raster/DiscShape.h"
#include "raster/FloorToInt.h"
#include "raster/StampDisc.h"
#include "support/StraightforwardStamping.h"

namespace {

using raster::DiscShape;

// Every offset of a radius recorded as a stroke records them (walked or turned).
void recordEveryOffset(double r, raster::DiscShapeCache& cache, SpanBuffer& spans) {
  const DiscRadius radius = DiscRadius::of(r);
  DiscShape* shape = nullptr;
  cache.slot(r, 0, 0, shape);
  for (int offset = 0; offset < 256; ++offset) {
    const raster::QuantisedDisc disc = raster::quantiseDisc(700.0 + offset % 16 / 16.0, 400.0 + offset / 16 / 16.0, r);
    raster::DiscShapeCache::Slot& slot = cache.slot(r, disc.sx, disc.sy, shape);
    if (slot == raster::DiscShapeCache::Slot::Seen) {
      raster::recordOrTurnDiscShape(disc, radius, spans, cache, *shape);
      slot = raster::DiscShapeCache::Slot::Recorded;
    }
  }
}

// What the regions rely on, for every offset of radii from 5 px to the thickest strokes:
// every rim pixel lies in the support and has the coverage of its distance, and every pixel
// more than a pixel inside the circle lies in its row's span (the regions allow half a pixel
// more: kOffSpanDepth).
TEST(DiscRegions, RimCoverageFollowsTheDistanceAndNothingDeepIsOffTheSpan) {
  std::vector<double> radii;
  for (int k = 0; k < 40; ++k) radii.push_back(5.0 + k * 0.37);
  for (const double r : {25.0, 30.5, 64.0, 100.0, 150.25, 333.0, 1000.0}) radii.push_back(r);
  std::mt19937 random(812);
  for (int k = 0; k < 8; ++k) radii.push_back(std::uniform_real_distribution<double>(5.0, 700.0)(random));

  raster::DiscShapeCache cache;
  SpanBuffer spans;
  for (const double r : radii) {
    recordEveryOffset(r, cache, spans);
    const DiscCoverage coverageOf(DiscRadius::of(r));
    const std::int64_t limit2 = raster::supportLimit2(r, DiscRadius::of(r));
    static_assert(raster::kOffSpanDepth >= 1.0);
    const double deep = 16.0 * (r - 1.0);
    for (int sy = 0; sy < 16; ++sy) {
      for (int sx = 0; sx < 16; ++sx) {
        const DiscShape& shape = *cache.recorded(sx, sy);
        for (std::size_t k = 0; k < shape.rows.size(); ++k) {
          const DiscShape::Row& row = shape.rows[k];
          const std::int64_t dy = 16 * (shape.firstRow + static_cast<std::int64_t>(k)) - sy;
          for (int n = 0; n < row.rimCount; ++n) {
            const DiscShape::RimPixel& p = shape.rim[static_cast<std::size_t>(row.firstRim + n)];
            const std::int64_t dx = 16 * std::int64_t{p.column} - sx;
            ASSERT_LT(dx * dx + dy * dy, limit2) << "r " << r << ", offset " << sx << ", " << sy;
            ASSERT_EQ(p.coverage, raster::coverageAtSquare(coverageOf, dx * dx + dy * dy, r));
          }
          if (static_cast<double>(dy * dy) >= deep * deep) continue;
          // The row's columns nearer than that: |16u − sx| < sqrt(deep² − dy²).
          const double half = std::sqrt(deep * deep - static_cast<double>(dy * dy));
          const auto first = static_cast<int>(std::floor((sx - half) / 16.0));
          const auto last = static_cast<int>(std::ceil((sx + half) / 16.0));
          for (int u = first; u <= last; ++u) {
            const double dx = 16.0 * u - sx;
            if (dx * dx + static_cast<double>(dy * dy) >= deep * deep) continue;
            ASSERT_TRUE(u >= row.spanLeft && u <= row.spanRight)
                << "r " << r << ", offset " << sx << ", " << sy << ", pixel " << u << ", " << dy;
          }
        }
      }
    }
  }
}

// The row arithmetic: quotients stepped row after row and estimated in double precision are
// the exact floors, for the magnitudes a canvas brings and far past them.
TEST(DiscRegions, SteppedQuotientsAreExactFloors) {
  std::mt19937_64 random(20261208);
  const auto floorOf = [](std::int64_t n, std::int64_t d) {
    std::int64_t q = n / d;
    if (n % d != 0 && n < 0) --q;
    return q;
  };
  for (int trial = 0; trial < 20000; ++trial) {
    const std::int64_t scale = std::int64_t{1} << std::uniform_int_distribution<int>(2, 40)(random);
    const std::int64_t d = std::uniform_int_distribution<std::int64_t>(1, std::min<std::int64_t>(scale, 1 << 20))(random);
    const std::int64_t n0 = std::uniform_int_distribution<std::int64_t>(-scale, scale)(random);
    const std::int64_t s = std::uniform_int_distribution<std::int64_t>(-(1 << 16), 1 << 16)(random);
    ASSERT_EQ(raster::floorQuotient(n0, d, 1.0 / static_cast<double>(d)), floorOf(n0, d)) << n0 << " / " << d;
    raster::SteppedQuotient q(n0, d, s);
    for (std::int64_t row = 0; row < 40; ++row) {
      ASSERT_EQ(q.value(), floorOf(n0 - s * row, d)) << n0 << " − " << s << "·" << row << " over " << d;
      q.next();
    }
  }
}

// The inline floor and ceil are the library's, for whole numbers, halves, the values next to
// them and random magnitudes of either sign up to far past a canvas's.
TEST(DiscRegions, InlineFloorAndCeilAreTheLibrarys) {
  std::mt19937_64 random(7);
  std::vector<double> values{0.0, -0.0, 0.5, -0.5, 1.0, -1.0, 0x1p52, -0x1p52, 0x1p62, -0x1p62, 4503599627370495.5};
  for (int k = -40; k <= 40; ++k) {
    for (const double v : {k / 16.0, k + 0.5}) {
      values.push_back(v);
      values.push_back(std::nextafter(v, -INFINITY));
      values.push_back(std::nextafter(v, INFINITY));
    }
  }
  for (int trial = 0; trial < 100000; ++trial) {
    const double magnitude = std::ldexp(1.0, std::uniform_int_distribution<int>(-8, 60)(random));
    values.push_back(std::uniform_real_distribution<double>(-magnitude, magnitude)(random));
  }
  for (const double v : values) {
    ASSERT_EQ(raster::floorToInt(v), static_cast<std::int64_t>(std::floor(v))) << v;
    ASSERT_EQ(raster::ceilToInt(v), static_cast<std::int64_t>(std::ceil(v))) << v;
  }
}

constexpr int kWidth = 260;
constexpr int kHeight = 200;

template <class Pixel>
struct Canvas {
  Canvas() : pixels(static_cast<std::size_t>(kWidth) * kHeight) {
    world.data = reinterpret_cast<PF_PixelPtr>(pixels.data());
    world.rowbytes = static_cast<A_long>(kWidth * sizeof(Pixel));
    world.width = kWidth;
    world.height = kHeight;
    canvas.attachWorld(&world, sizeof(Pixel), true);
  }
  std::vector<Pixel> pixels;
  PF_EffectWorld world{};
  StrokeCanvas canvas;
};

template <class Pixel>
std::string firstDifference(const std::vector<Pixel>& a, const std::vector<Pixel>& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::memcmp(&a[i], &b[i], sizeof(Pixel)) != 0) {
      return "pixel (" + std::to_string(i % kWidth) + ", " + std::to_string(i / kWidth) + "): alpha " +
             std::to_string(+a[i].alpha) + " vs " + std::to_string(+b[i].alpha);
    }
  }
  return {};
}

// Stamp centres a pixel apart along a path given by points at parameter t in 0 … 1.
std::vector<std::pair<double, double>> stampsAlong(const std::function<std::pair<double, double>(double)>& at) {
  std::vector<std::pair<double, double>> stamps{at(0.0)};
  constexpr int kSteps = 20000;
  for (int k = 1; k <= kSteps; ++k) {
    const auto p = at(static_cast<double>(k) / kSteps);
    if (std::hypot(p.first - stamps.back().first, p.second - stamps.back().second) >= 1.0) stamps.push_back(p);
  }
  return stamps;
}

// Paths of every kind that matters here: a circle about as wide as the disc (every centre
// about r from the middle), a figure eight crossing itself, a spiral, a polyline with sharp
// corners and a reversal, a zigzag, a straight line off the canvas and back.
std::vector<std::pair<double, double>> randomStamps(std::mt19937& random, double r) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double cx = 40.0 + 180.0 * unit(random);
  const double cy = 30.0 + 140.0 * unit(random);
  constexpr double kTau = 6.283185307179586;
  switch (std::uniform_int_distribution<int>(0, 5)(random)) {
    case 0: {
      const double radius = r * (0.6 + 0.8 * unit(random));
      return stampsAlong([&](double t) {
        return std::pair{cx + radius * std::cos(kTau * 1.3 * t), cy + radius * std::sin(kTau * 1.3 * t)};
      });
    }
    case 1: {
      const double size = 20.0 + 80.0 * unit(random);
      return stampsAlong([&](double t) {
        return std::pair{cx + size * std::sin(kTau * t), cy + 0.6 * size * std::sin(2.0 * kTau * t)};
      });
    }
    case 2: {
      const double turns = 1.0 + 2.0 * unit(random);
      return stampsAlong([&](double t) {
        const double radius = 5.0 + 90.0 * t;
        return std::pair{cx + radius * std::cos(kTau * turns * t), cy + radius * std::sin(kTau * turns * t)};
      });
    }
    case 3:
    case 4: {
      std::vector<std::pair<double, double>> corners;
      for (int k = std::uniform_int_distribution<int>(3, 7)(random); k > 0; --k) {
        corners.emplace_back(-30.0 + 320.0 * unit(random), -30.0 + 260.0 * unit(random));
      }
      if (corners.size() > 3) corners[3] = corners[1];  // straight back along a leg
      const double legs = static_cast<double>(corners.size() - 1);
      return stampsAlong([&](double t) {
        const double at = std::min(t * legs, legs - 1e-9);
        const auto leg = static_cast<std::size_t>(at);
        const double f = at - static_cast<double>(leg);
        return std::pair{corners[leg].first + f * (corners[leg + 1].first - corners[leg].first),
                         corners[leg].second + f * (corners[leg + 1].second - corners[leg].second)};
      });
    }
    default: {
      const double angle = kTau * unit(random);
      return stampsAlong([&](double t) {
        const double along = -320.0 + 640.0 * t;
        return std::pair{130.0 + along * std::cos(angle), 100.0 + along * std::sin(angle) + 12.0 * std::sin(0.3 * along)};
      });
    }
  }
}

template <class Pixel>
class DiscRegionsDrawing : public ::testing::Test {};
using Depths = ::testing::Types<PF_Pixel8, PF_Pixel16, PF_PixelFloat>;
TYPED_TEST_SUITE(DiscRegionsDrawing, Depths);

// Strokes of one stamp and radius, then a second over the first in the same stamp, and a
// third in another radius: the pixels of blending every disc in full.
TYPED_TEST(DiscRegionsDrawing, RimsByRegionsAreTheBitsOfEveryDiscInFull) {
  using Pixel = TypeParam;
  using Traits = PixelTraits<Pixel>;
  std::mt19937 random(1208 + sizeof(Pixel));
  for (int scene = 0; scene < 60; ++scene) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double r = 10.0 + 115.0 * unit(random) * unit(random);
    const double opacity = unit(random) < 0.5 ? 1.0 : 0.2 + 0.7 * unit(random);
    const Pixel stamp{Traits::alphaFromOpacity(opacity), Traits::fromUnit(unit(random)), Traits::fromUnit(unit(random)),
                      Traits::fromUnit(unit(random))};
    Canvas<Pixel> fast;
    Canvas<Pixel> oracle;
    {
      CanvasDiscSink<Pixel> queued(fast.canvas);
      StraightforwardDiscSink<Pixel> straight(oracle.canvas);
      for (const double radius : {r, r, 10.0 + 65.0 * unit(random)}) {
        for (const auto& [x, y] : randomStamps(random, radius)) {
          queued.stamp(x, y, radius, stamp);
          straight.stamp(x, y, radius, stamp);
        }
      }
    }
    ASSERT_EQ(firstDifference(fast.pixels, oracle.pixels), "") << "scene " << scene << ", r " << r << ", opacity " << opacity;
  }
}

}  // namespace
