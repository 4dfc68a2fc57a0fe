#include "DemoScene.h"

#include <stdexcept>
#include <string>

#include "SceneParser.h"

namespace inkline_bench {

const inkline_cli::Scene& demoScene() {
  static const inkline_cli::Scene scene = inkline_cli::readSceneFile(INKLINE_DEMO_SCENE);
  return scene;
}

std::vector<aehost::Mask> scaledMasks(std::vector<aehost::Mask> masks, double factor) {
  const auto scale = [factor](aehost::MaskPoint& p) {
    p.x *= factor;
    p.y *= factor;
  };
  for (aehost::Mask& mask : masks) {
    for (aehost::MaskVertex& v : mask.vertices) {
      scale(v.position);
      scale(v.inTangent);
      scale(v.outTangent);
    }
  }
  return masks;
}

const aehost::Mask& demoMask(std::string_view name) {
  for (const aehost::Mask& mask : demoScene().masks) {
    if (mask.name == name) return mask;
  }
  throw std::out_of_range("the demo scene has no mask \"" + std::string(name) + "\"");
}

}  // namespace inkline_bench
