#include "SceneSet.h"

#include <cmath>
#include <string>

#include "DemoScene.h"

namespace inkline_bench {

namespace {

// The demo layer is 640 x 360: three times that fills the 1920 x 1080 layer.
constexpr double kDemoScale = 3.0;

// The demo's "Start Color": a dark blue that shows well on the demo's background.
constexpr PF_Pixel8 kStrokeColour{255, 0x1d, 0x35, 0x57};

const std::vector<double> kSweepThicknesses = {2, 5, 10, 20, 30, 40, 60, 100, 200};

std::vector<aehost::Mask> demoMasksScaled() {
  std::vector<aehost::Mask> masks;
  for (const char* name : {"Loops", "Spiral", "Leaf", "Vein", "Star"}) masks.push_back(demoMask(name));
  return scaledMasks(std::move(masks), kDemoScale);
}

// Horizontal 20 px strokes on a grid spread over the frame, the first always at the same place,
// so n and n + 100 strokes differ only by the 100 extra ones.
std::vector<aehost::Mask> shortStrokes(int count) {
  constexpr int kColumns = 17;
  std::vector<aehost::Mask> masks;
  for (int i = 0; i < count; ++i) {
    const double x = 100.0 + 100.0 * (i % kColumns);
    const double y = 140.0 + 160.0 * (i / kColumns);
    aehost::Mask mask;
    mask.name = "Short " + std::to_string(i + 1);
    mask.closed = false;
    mask.vertices = {aehost::MaskVertex::corner(x, y), aehost::MaskVertex::corner(x + 20.0, y)};
    masks.push_back(std::move(mask));
  }
  return masks;
}

BenchScene plainScene(std::string name, std::vector<aehost::Mask> masks, double thickness) {
  BenchScene scene;
  scene.name = std::move(name);
  scene.masks = std::move(masks);
  scene.thickness = thickness;
  scene.background = demoScene().layer.background;
  scene.strokeColour = kStrokeColour;
  return scene;
}

std::string thicknessName(double thickness) { return "t" + std::to_string(std::lround(thickness)); }

}  // namespace

std::vector<BenchScene> benchScenes() {
  std::vector<BenchScene> scenes;
  const std::vector<aehost::Mask> demoMasks = demoMasksScaled();

  for (const double thickness : kSweepThicknesses) {
    scenes.push_back(plainScene("plain8/" + thicknessName(thickness), demoMasks, thickness));
  }
  for (const int depth : {16, 32}) {
    BenchScene deep = plainScene("plain" + std::to_string(depth) + "/t10", demoMasks, 10);
    deep.bitDepth = depth;
    scenes.push_back(std::move(deep));
  }

  // Two seconds in, every stroke is drawn and the wave is on.
  BenchScene demo = plainScene("demo/t10", demoMasks, 10);
  demo.style = StrokeStyle::Demo;
  demo.copyDisplacements = demoCopyDisplacements();
  demo.frame = static_cast<A_long>(std::lround(2.0 * demoScene().frameRate));
  scenes.push_back(std::move(demo));

  const std::vector<aehost::Mask> loops = scaledMasks({demoMask("Loops")}, kDemoScale);
  for (const double opacity : {100.0, 80.0}) {
    BenchScene wide = plainScene("long/t200/o" + std::to_string(std::lround(opacity)), loops, 200);
    wide.opacityPercent = opacity;
    scenes.push_back(std::move(wide));
  }

  for (const bool clear : {true, false}) {
    for (const int count : {1, 101}) {
      BenchScene small = plainScene("small/n" + std::to_string(count) + (clear ? "/clear" : "/over"),
                                    shortStrokes(count), 4);
      small.clearBackground = clear;
      scenes.push_back(std::move(small));
    }
  }
  return scenes;
}

}  // namespace inkline_bench
