// Cost of the simulated host's fill, copy and transfer_rect (aehost/WorldOps.h) on 1920x1080
// worlds in each depth, as the effect uses them: fill with transparent black, copy of the
// layer into the output at equal size, and transfer_rect IN_FRONT at full opacity of a stroke
// world that is mostly transparent (a 480x270 patch, half opaque, half partly transparent)
// onto an opaque layer. Counter: pixels/s over the whole world. TransferTiles hands over a
// thin stroke the way the effect does, 64 x 16 rectangles of its tiles one call each (a third
// of their pixels covered), over one tile row or spread over the frame; counter: time per row.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "aehost/PixelFormats.h"
#include "aehost/WorldOps.h"

namespace {

constexpr A_long kWidth = 1920;
constexpr A_long kHeight = 1080;
constexpr A_long kPaddingBytes = 32;  // the host's default row padding

template <typename Pixel>
struct BenchWorld {
  std::vector<char> bytes;
  PF_EffectWorld world{};

  BenchWorld() {
    world.width = kWidth;
    world.height = kHeight;
    world.rowbytes = static_cast<A_long>(kWidth * sizeof(Pixel)) + kPaddingBytes;
    bytes.assign(static_cast<std::size_t>(world.rowbytes) * kHeight, 0);
    world.data = reinterpret_cast<PF_PixelPtr>(bytes.data());
  }
  Pixel& at(A_long x, A_long y) { return reinterpret_cast<Pixel*>(bytes.data() + static_cast<std::size_t>(y) * world.rowbytes)[x]; }
};

// A channel value of the depth from a fraction num / 255 of full.
template <typename Pixel>
auto channel(unsigned num) {
  using Channel = decltype(Pixel{}.alpha);
  if constexpr (sizeof(Channel) == 1) return static_cast<Channel>(num);
  else if constexpr (sizeof(Channel) == 2) return static_cast<Channel>(num * 32768 / 255);
  else return static_cast<Channel>(num / 255.0f);
}

template <typename Pixel>
void paintLayer(BenchWorld<Pixel>& w) {
  for (A_long y = 0; y < kHeight; ++y) {
    for (A_long x = 0; x < kWidth; ++x) {
      w.at(x, y) = Pixel{channel<Pixel>(255), channel<Pixel>(x % 256), channel<Pixel>(y % 256), channel<Pixel>((x + y) % 256)};
    }
  }
}

template <typename Pixel>
void paintStroke(BenchWorld<Pixel>& w) {
  for (A_long y = 400; y < 670; ++y) {
    for (A_long x = 600; x < 1080; ++x) {
      const unsigned alpha = x < 840 ? 255 : 1 + static_cast<unsigned>(x * 7 + y * 13) % 254;
      w.at(x, y) = Pixel{channel<Pixel>(alpha), channel<Pixel>(230), channel<Pixel>(100), channel<Pixel>(25)};
    }
  }
}

void countPixels(benchmark::State& state) {
  state.counters["pixels/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kWidth * kHeight, benchmark::Counter::kIsRate);
}

template <typename Pixel>
void BM_Fill(benchmark::State& state) {
  BenchWorld<Pixel> w;
  paintLayer(w);
  for (auto _ : state) {
    aehost::fillWorld(w.world, aehost::formatOf<Pixel>(), nullptr, Pixel{});
    benchmark::ClobberMemory();
  }
  countPixels(state);
}

template <typename Pixel>
void BM_Copy(benchmark::State& state) {
  BenchWorld<Pixel> src, dst;
  paintLayer(src);
  const PF_LRect rect{0, 0, kWidth, kHeight};
  for (auto _ : state) {
    aehost::copyWorld(src.world, aehost::formatOf<Pixel>(), dst.world, aehost::formatOf<Pixel>(), &rect, &rect);
    benchmark::ClobberMemory();
  }
  countPixels(state);
}

template <typename Pixel>
void BM_TransferInFront(benchmark::State& state) {
  BenchWorld<Pixel> src, dst;
  paintStroke(src);
  paintLayer(dst);
  const PF_LRect rect{0, 0, kWidth, kHeight};
  for (auto _ : state) {
    aehost::transferWorld(src.world, aehost::formatOf<Pixel>(), &rect, dst.world, aehost::formatOf<Pixel>(), 0, 0,
                          aehost::TransferMode::InFront, 1.0);
    benchmark::ClobberMemory();
  }
  countPixels(state);
}

// A thin diagonal band, 14 px wide every 48 px, opaque with half-covered edges.
template <typename Pixel>
void paintThinStrokes(BenchWorld<Pixel>& w) {
  for (A_long y = 0; y < kHeight; ++y) {
    for (A_long x = 0; x < kWidth; ++x) {
      const A_long across = (x + kHeight - y) % 48;
      if (across >= 14) continue;
      const unsigned alpha = across < 2 || across > 11 ? 128 : 255;
      w.at(x, y) = Pixel{channel<Pixel>(alpha), channel<Pixel>(230), channel<Pixel>(100), channel<Pixel>(25)};
    }
  }
}

template <typename Pixel>
void BM_TransferTiles(benchmark::State& state) {
  BenchWorld<Pixel> src, dst;
  paintThinStrokes(src);
  paintLayer(dst);
  const A_long tileRows = static_cast<A_long>(state.range(0));
  constexpr A_long kTile = 16, kRects = 64;
  A_long n = 0;  // the rectangle's number, modulo 100 * tileRows (where its place repeats)
  for (auto _ : state) {
    for (A_long k = 0; k < kRects; ++k, n = (n + 1) % (100 * tileRows)) {
      const A_long left = n * 13 % 100 * kTile, top = n * 7 % tileRows * kTile;
      const PF_LRect rect{left, top, left + 4 * kTile, top + kTile};
      aehost::transferWorld(src.world, aehost::formatOf<Pixel>(), &rect, dst.world, aehost::formatOf<Pixel>(), left, top,
                            aehost::TransferMode::InFront, 1.0);
    }
    benchmark::ClobberMemory();
  }
  const double rows = static_cast<double>(state.iterations()) * kRects * kTile;
  state.counters["per_row"] = benchmark::Counter(rows, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void tileRowArguments(benchmark::internal::Benchmark* b) {
  b->ArgName("tile_rows")->Arg(1)->Arg(kHeight / 16)->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_Fill<PF_Pixel8>)->Name("Fill/8bit")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill<PF_Pixel16>)->Name("Fill/16bit")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill<PF_PixelFloat>)->Name("Fill/float")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Copy<PF_Pixel8>)->Name("Copy/8bit")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Copy<PF_Pixel16>)->Name("Copy/16bit")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Copy<PF_PixelFloat>)->Name("Copy/float")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferInFront<PF_Pixel8>)->Name("TransferInFront/8bit")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferInFront<PF_Pixel16>)->Name("TransferInFront/16bit")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferInFront<PF_PixelFloat>)->Name("TransferInFront/float")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferTiles<PF_Pixel8>)->Name("TransferTiles/8bit")->Apply(tileRowArguments);
BENCHMARK(BM_TransferTiles<PF_Pixel16>)->Name("TransferTiles/16bit")->Apply(tileRowArguments);
BENCHMARK(BM_TransferTiles<PF_PixelFloat>)->Name("TransferTiles/float")->Apply(tileRowArguments);

BENCHMARK_MAIN();
