#include "EffectScene.h"

#include <string>
#include <utility>

#include "ColorText.h"
#include "DemoScene.h"
#include "ExitCodes.h"
#include "SceneSetup.h"

namespace inkline_bench {

namespace {

inkline_cli::SceneParam param(const BenchScene& bench, std::string name, nlohmann::json value) {
  std::string place = "bench scene " + bench.name + ": params." + name;
  return {std::move(name), std::move(value), std::move(place)};
}

// Every feature switched off by name, so neither the plug-in's defaults nor stored defaults
// decide what a plain stroke is.
std::vector<inkline_cli::SceneParam> plainParams(const BenchScene& bench) {
  return {
      param(bench, "Use All Paths", true),
      param(bench, "Stroke Sequentially", false),
      param(bench, "Opacity", bench.opacityPercent),
      param(bench, "Color", inkline_cli::colorToHex(bench.strokeColour)),
      param(bench, "Thickness", bench.thickness),
      param(bench, "Length", 100),
      param(bench, "Drawing Offset", 0),
      param(bench, "Clear Background", bench.clearBackground),
      param(bench, "Enable In/Out", false),
      param(bench, "Enable Copy Stroke", false),
      param(bench, "Enable Wave", false),
      param(bench, "Enable Gradation Stroke", false),
  };
}

// The demo's own parameters, keyframes included, with the scene's thickness.
std::vector<inkline_cli::SceneParam> demoParams(const BenchScene& bench) {
  std::vector<inkline_cli::SceneParam> params = demoScene().params;
  bool thicknessSet = false;
  for (inkline_cli::SceneParam& p : params) {
    if (p.name == "Thickness") {
      p.value = bench.thickness;
      thicknessSet = true;
    }
  }
  if (!thicknessSet) params.push_back(param(bench, "Thickness", bench.thickness));
  return params;
}

inkline_cli::Scene cliSceneFor(const BenchScene& bench) {
  const inkline_cli::Scene& demo = demoScene();
  inkline_cli::Scene scene;
  scene.file = demo.file;
  scene.layer.width = kLayerWidth;
  scene.layer.height = kLayerHeight;
  scene.layer.background = bench.background;
  scene.time = demo.time;
  scene.frameRate = demo.frameRate;
  scene.frames = {bench.frame, bench.frame};
  scene.render.bitDepth = bench.bitDepth;
  scene.masks = bench.masks;
  scene.params = bench.style == StrokeStyle::Demo ? demoParams(bench) : plainParams(bench);
  return scene;
}

}  // namespace

EffectScene::EffectScene(const BenchScene& bench)
    : name_(bench.name),
      scene_(cliSceneFor(bench)), session_(INKLINE_MODULE_PATH, inkline_cli::compositionFor(scene_)) {
  aehost::EffectInstance& effect = session_.effect();
  inkline_cli::applySceneLayer(scene_, effect);
  session_.setUpGlobal();
  inkline_cli::applySceneParams(scene_, effect);
  session_.setUpSequence();

  request_ = aehost::RenderRequest::atFrame(bench.frame, bench.bitDepth);
  request_.timeTicks = bench.frame * scene_.time.timeStep;
  request_.quality = scene_.render.quality;
}

aehost::RenderResult EffectScene::render() {
  aehost::RenderResult result = session_.effect().renderFrame(request_);
  if (!result.ok()) {
    throw inkline_cli::RenderFailure("bench scene " + name_ + ": the effect failed with error " +
                                     std::to_string(result.err) + " " + result.message);
  }
  return result;
}

}  // namespace inkline_bench
