// Cost of stamping: both disc rasterisers at several radii and every depth, the recording of
// a radius's disc shapes, and the stamp loop over a long segment. Counters: stamps/s and
// blended pixels/s, and their inverses per_stamp and per_pixel (time per stamp, time per
// blended pixel); per_shape for the recording.
//
// Stamps are the stroke colour at 80% opacity landing on a canvas that already holds the
// stroke: after the first few, nearly every pixel takes the same-colour (larger alpha) path,
// as inside a real stroke.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "pixel/PixelTraits.h"
#include "raster/DiscRaster.h"
#include "raster/DiscShape.h"
#include "raster/StampDisc.h"
#include "stroke/DrawStrokeSegment.h"

namespace {

constexpr int kCanvasSize = 1024;

template <class Pixel>
struct BenchCanvas {
  std::vector<Pixel> pixels;
  PF_EffectWorld world{};
  StrokeCanvas canvas;

  BenchCanvas() : pixels(static_cast<std::size_t>(kCanvasSize) * kCanvasSize, Pixel{}) {
    world.data = reinterpret_cast<PF_PixelPtr>(pixels.data());
    world.rowbytes = static_cast<A_long>(kCanvasSize * sizeof(Pixel));
    world.width = kCanvasSize;
    world.height = kCanvasSize;
    canvas.attachWorld(&world, sizeof(Pixel), true);
  }
};

template <class Pixel>
Pixel strokeColour() {
  using Traits = PixelTraits<Pixel>;
  Pixel p{};
  p.alpha = Traits::alphaFromOpacity(0.8);
  p.red = Traits::fromUnit(0.9);
  p.green = Traits::fromUnit(0.4);
  p.blue = Traits::fromUnit(0.1);
  return p;
}

// Centres with every sub-pixel offset, spread over the middle of the canvas.
std::vector<std::pair<double, double>> stampCentres() {
  std::vector<std::pair<double, double>> centres;
  for (int k = 0; k < 256; ++k) {
    const double x = kCanvasSize / 2.0 + (k % 16) * 1.0625 + (k / 16) * 0.37;
    const double y = kCanvasSize / 2.0 + (k / 16) * 1.0625 - (k % 16) * 0.23;
    centres.push_back({x, y});
  }
  return centres;
}

struct CountingSink {
  std::int64_t pixels = 0;
  void pixel(int, int, int) { ++pixels; }
  void span(int, int x0, int x1) { pixels += x1 - x0 + 1; }
};

enum class Method { Small, Large };

// Blends one stamp makes, counted by the rasterisers themselves.
std::int64_t blendedPixels(Method method, const std::vector<std::pair<double, double>>& centres, double r) {
  SpanBuffer spans;
  CountingSink sink;
  for (const auto& [x, y] : centres) {
    if (method == Method::Small) {
      raster::smallDisc(kCanvasSize, kCanvasSize, x, y, r, DiscRadius::of(r), sink);
    } else {
      raster::largeDisc(kCanvasSize, kCanvasSize, x, y, r, DiscRadius::of(r), spans, sink);
    }
  }
  return sink.pixels;
}

void setRates(benchmark::State& state, std::int64_t stamps, std::int64_t pixels) {
  using benchmark::Counter;
  const double iterations = static_cast<double>(state.iterations());
  const double stampCount = static_cast<double>(stamps) * iterations;
  const double pixelCount = static_cast<double>(pixels) * iterations;
  state.counters["stamps/s"] = Counter(stampCount, Counter::kIsRate);
  state.counters["pixels/s"] = Counter(pixelCount, Counter::kIsRate);
  // Inverted rates print as time per stamp and per blended pixel.
  state.counters["per_stamp"] = Counter(stampCount, Counter::kIsRate | Counter::kInvert);
  state.counters["per_pixel"] = Counter(pixelCount, Counter::kIsRate | Counter::kInvert);
}

template <class Pixel, Method method>
void BM_Stamp(benchmark::State& state) {
  const double r = static_cast<double>(state.range(0));
  BenchCanvas<Pixel> target;
  const Pixel stamp = strokeColour<Pixel>();
  const auto centres = stampCentres();
  for (auto _ : state) {
    for (const auto& [x, y] : centres) {
      if constexpr (method == Method::Small) {
        StampSmallDisc(target.canvas, x, y, r, stamp);
      } else {
        StampLargeDisc(target.canvas, x, y, r, stamp);
      }
    }
    benchmark::ClobberMemory();
  }
  setRates(state, static_cast<std::int64_t>(centres.size()), blendedPixels(method, centres, r));
}

// A long S-shaped segment across the canvas, walked one pixel at a time, no tapers: every
// sample is one stamp.
template <class Pixel>
void BM_DrawStrokeSegment(benchmark::State& state) {
  const double thickness = static_cast<double>(state.range(0));
  BenchCanvas<Pixel> target;
  StrokeRecord record;
  record.segment.setUp(40, 900, 300, -400, 700, 1400, 980, 120);
  const double length = record.segment.totalLength();
  record.positionStep = 1.0 / length;
  StrokeColours<Pixel> colours;
  colours.colour = strokeColour<Pixel>();
  record.thicknessPx = thickness;
  record.opacity = 0.8;
  record.lengthPosition = 1.0;
  record.endTaper = PositionRange{1.0, 1.0};

  // Stamps and blends of one pass, counted with the same walk and rasterisers.
  std::int64_t stamps = 0;
  std::vector<std::pair<double, double>> centres;
  record.segment.beginWalk(1.0, false);
  while (record.segment.step()) {
    centres.push_back({record.segment.pointX, record.segment.pointY});
    ++stamps;
  }
  const double r = thickness / 2.0;
  const std::int64_t pixels = blendedPixels(r < 5.0 ? Method::Small : Method::Large, centres, r);

  for (auto _ : state) {
    record.segment.beginWalk(1.0, false);
    record.segmentStartPosition = 0.0;
    CanvasDiscSink<Pixel> sink(target.canvas);
    DrawStrokeSegment(record, colours, sink);
    benchmark::ClobberMemory();
  }
  setRates(state, stamps, pixels);
}

// The 256 shapes of one radius (every sub-pixel offset), recorded in the random order a
// stroke brings the offsets up: walked, or turned from a shape recorded before. A stroke of
// one thickness records them once per render.
// `fresh`: each time with a new cache, whose shapes have no memory yet, as in a frame (every
// render call draws on a canvas of its own).
template <bool fresh>
void BM_RecordDiscShapes(benchmark::State& state) {
  const double r = static_cast<double>(state.range(0));
  const DiscRadius radius = DiscRadius::of(r);
  std::vector<int> offsets(256);
  for (int n = 0; n < 256; ++n) offsets[static_cast<std::size_t>(n)] = n;
  std::shuffle(offsets.begin(), offsets.end(), std::mt19937(20261208));
  SpanBuffer spans;
  auto kept = std::make_unique<raster::DiscShapeCache>();
  raster::DiscShape* shape = nullptr;
  int walks = 0;
  for (auto _ : state) {
    if constexpr (fresh) kept = std::make_unique<raster::DiscShapeCache>();
    raster::DiscShapeCache& cache = *kept;
    cache.slot(0.0, 0, 0, shape);  // another radius: every shape forgotten
    for (const int offset : offsets) {
      const raster::QuantisedDisc disc =
          raster::quantiseDisc(kCanvasSize / 2.0 + offset % 16 / 16.0, kCanvasSize / 2.0 + offset / 16 / 16.0, r);
      raster::DiscShapeCache::Slot& slot = cache.slot(r, disc.sx, disc.sy, shape);
      if (slot == raster::DiscShapeCache::Slot::Recorded) continue;
      raster::recordOrTurnDiscShape(disc, radius, spans, cache, *shape);
      slot = raster::DiscShapeCache::Slot::Recorded;
    }
    benchmark::ClobberMemory();
    walks = cache.walks;
  }
  using benchmark::Counter;
  const double shapes = 256.0 * static_cast<double>(state.iterations());
  state.counters["per_shape"] = Counter(shapes, Counter::kIsRate | Counter::kInvert);
  state.counters["walked"] = static_cast<double>(walks);
}

const std::vector<std::int64_t> kRadii = {1, 3, 5, 25, 100};

void stampArguments(benchmark::internal::Benchmark* b) {
  for (const std::int64_t r : kRadii) b->Arg(r);
  b->ArgName("radius")->Unit(benchmark::kMicrosecond);
}

void strokeArguments(benchmark::internal::Benchmark* b) {
  for (const std::int64_t thickness : {2, 8, 20, 100}) b->Arg(thickness);
  b->ArgName("thickness")->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Stamp<PF_Pixel8, Method::Small>)->Name("StampSmallDisc/8bit")->Apply(stampArguments);
BENCHMARK(BM_Stamp<PF_Pixel16, Method::Small>)->Name("StampSmallDisc/16bit")->Apply(stampArguments);
BENCHMARK(BM_Stamp<PF_PixelFloat, Method::Small>)->Name("StampSmallDisc/float")->Apply(stampArguments);
BENCHMARK(BM_Stamp<PF_Pixel8, Method::Large>)->Name("StampLargeDisc/8bit")->Apply(stampArguments);
BENCHMARK(BM_Stamp<PF_Pixel16, Method::Large>)->Name("StampLargeDisc/16bit")->Apply(stampArguments);
BENCHMARK(BM_Stamp<PF_PixelFloat, Method::Large>)->Name("StampLargeDisc/float")->Apply(stampArguments);
BENCHMARK(BM_RecordDiscShapes<false>)->Name("RecordDiscShapes")->ArgName("radius")->Arg(5)->Arg(30)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordDiscShapes<true>)->Name("RecordDiscShapes/fresh")->ArgName("radius")->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawStrokeSegment<PF_Pixel8>)->Name("DrawStrokeSegment/8bit")->Apply(strokeArguments);
BENCHMARK(BM_DrawStrokeSegment<PF_Pixel16>)->Name("DrawStrokeSegment/16bit")->Apply(strokeArguments);
BENCHMARK(BM_DrawStrokeSegment<PF_PixelFloat>)->Name("DrawStrokeSegment/float")->Apply(strokeArguments);

}  // namespace

BENCHMARK_MAIN();
