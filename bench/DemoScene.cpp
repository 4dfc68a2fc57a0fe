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

namespace {

const nlohmann::json& demoParamValue(std::string_view name, const nlohmann::json& absent) {
  for (const inkline_cli::SceneParam& p : demoScene().params) {
    if (p.name != name) continue;
    if (p.value.is_array()) throw std::invalid_argument(p.place + ": the benchmark needs a plain value");
    return p.value;
  }
  return absent;
}

}  // namespace

std::vector<aehost::MaskPoint> demoCopyDisplacements() {
  static const nlohmann::json kOff = false;
  static const nlohmann::json kZero = 0;
  const bool copies = demoParamValue("Enable Copy Stroke", kOff).get<bool>();
  // A random copy count would make the number of strokes a matter of the seed.
  if (copies && demoParamValue("Copy Random", kZero).get<int>() != 0) {
    throw std::invalid_argument("the benchmark needs the demo's \"Copy Random\" at 0");
  }
  const int n = copies ? demoParamValue("Copy Number", kZero).get<int>() + 1 : 1;
  const double dx = demoParamValue("Copy Offset X", kZero).get<double>();
  const double dy = demoParamValue("Copy Offset Y", kZero).get<double>();
  // Copy 0 starts h = n / 2 offsets before the path, half an offset less when n is even.
  const int h = n / 2;
  const double startX = -(h * dx - (n % 2 == 0 ? dx / 2 : 0.0));
  const double startY = -(h * dy - (n % 2 == 0 ? dy / 2 : 0.0));
  std::vector<aehost::MaskPoint> displacements;
  for (int c = 0; c < n; ++c) displacements.push_back({startX + c * dx, startY + c * dy});
  return displacements;
}

}  // namespace inkline_bench
