// One frame of every bench scene, drawn by the effect and by Cairo, as PNGs side by side in a
// folder: <scene>-effect.png and <scene>-cairo.png ("/" in scene names becomes "_"). For
// checking by eye that both draw the same paths at the same place and size.
// Usage: inkline_scene_snapshots FOLDER
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "CairoScene.h"
#include "EffectScene.h"
#include "IsolatedAppData.h"
#include "SceneSet.h"
#include "aehost/Png.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  try {
    std::filesystem::create_directories(folder);
    inkline_bench::IsolatedAppData appData;
    int problems = 0;
    for (const inkline_bench::BenchScene& scene : inkline_bench::benchScenes()) {
      std::string stem = scene.name;
      std::replace(stem.begin(), stem.end(), '/', '_');

      inkline_bench::EffectScene effect(scene);
      aehost::writePng(effect.render().image, folder / (stem + "-effect.png"));
      for (const std::string& problem : effect.finish()) {
        std::fprintf(stderr, "%s: host: %s\n", scene.name.c_str(), problem.c_str());
        ++problems;
      }

      inkline_bench::CairoScene cairo(scene);
      cairo.draw();
      cairo.writePng(folder / (stem + "-cairo.png"));
      std::printf("%s\n", scene.name.c_str());
    }
    return problems == 0 ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "inkline_scene_snapshots: %s\n", e.what());
    return 1;
  }
}
