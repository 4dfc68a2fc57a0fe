// How soon a cancel takes effect: the longest time a render goes without asking the host
// whether to stop (inter.progress or inter.abort), on scenes that draw a lot between strokes.
// Each benchmark renders its scene once per iteration and reports, as counters, that longest
// gap, which question ended it, and the number of questions; the frame time is the
// benchmark's own.
//
//   build/default/bench/inkline_cancel_latency_bench [scene.json ...]
// Without arguments: the scenes in bench/cancel-scenes/.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "PluginSession.h"
#include "SceneParser.h"
#include "SceneSetup.h"

namespace {

using Clock = std::chrono::steady_clock;

class CancelScene {
 public:
  explicit CancelScene(const std::filesystem::path& file)
      : scene_(inkline_cli::readSceneFile(file)), session_(INKLINE_MODULE_PATH, inkline_cli::compositionFor(scene_)) {
    aehost::EffectInstance& effect = session_.effect();
    inkline_cli::applySceneLayer(scene_, effect);
    session_.setUpGlobal();
    inkline_cli::applySceneParams(scene_, effect);
    session_.setUpSequence();
  }

  // One frame; returns the longest gap between questions, in milliseconds.
  double render(int& questions, int& longestAt) {
    aehost::RenderRequest request = aehost::RenderRequest::atFrame(scene_.frames.first, scene_.render.bitDepth);
    request.timeTicks = scene_.frames.first * scene_.time.timeStep;
    request.downsampleX = scene_.render.downsampleX;
    request.downsampleY = scene_.render.downsampleY;
    request.quality = scene_.render.quality;
    Clock::time_point last = Clock::now();
    double longest = 0.0;
    questions = 0;
    const auto asked = [&] {
      const Clock::time_point now = Clock::now();
      const double gap = std::chrono::duration<double, std::milli>(now - last).count();
      if (gap > longest) {
        longest = gap;
        longestAt = questions;
      }
      last = now;
      ++questions;
    };
    request.onProgress = [&](A_long, A_long) { asked(); };
    request.onAbort = asked;
    const aehost::RenderResult result = session_.effect().renderFrame(request);
    asked();  // the stretch from the last question to the end
    if (!result.ok()) throw inkline_cli::RenderFailure("the effect failed with error " + std::to_string(result.err));
    return longest;
  }

 private:
  inkline_cli::Scene scene_;
  inkline_cli::PluginSession session_;
};

void registerScene(const std::filesystem::path& file) {
  benchmark::RegisterBenchmark(("cancel/" + file.stem().string()).c_str(), [file](benchmark::State& state) {
    try {
      CancelScene scene(file);
      int ignored = 0;
      scene.render(ignored, ignored);  // the host converts the layer on the first render
      double longest = 0.0;
      int questions = 0;
      int longestAt = 0;
      for (auto _ : state) {
        int at = 0;
        const double gap = scene.render(questions, at);
        if (gap > longest) {
          longest = gap;
          longestAt = at;
        }
      }
      state.counters["longest_gap_ms"] = longest;
      state.counters["before_question"] = longestAt;  // 0: before the first, questions: after the last
      state.counters["questions"] = questions;
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
    }
  })->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::vector<std::filesystem::path> files(argv + 1, argv + argc);
  if (files.empty()) {
    for (const auto& entry : std::filesystem::directory_iterator(INKLINE_CANCEL_SCENES)) {
      if (entry.path().extension() == ".json") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
  }
  for (const auto& file : files) registerScene(file);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
