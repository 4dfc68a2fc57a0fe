#include "MaskListing.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <ostream>
#include <sstream>

#include "NumberText.h"

namespace inkline_cli {

namespace {

// Widens [low, high] by the extremes of one coordinate of the cubic p0 p1 p2 p3: its ends,
// and where its derivative 3(a t² + b t + c) is zero inside (0, 1).
void widenByCubic(double p0, double p1, double p2, double p3, double& low, double& high) {
  const auto at = [&](double t) {
    const double u = 1 - t;
    return u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
  };
  const auto take = [&](double v) {
    low = std::min(low, v);
    high = std::max(high, v);
  };
  take(p0);
  take(p3);
  const double a = -p0 + 3 * p1 - 3 * p2 + p3;
  const double b = 2 * (p0 - 2 * p1 + p2);
  const double c = p1 - p0;
  const auto root = [&](double t) {
    if (t > 0 && t < 1) take(at(t));
  };
  if (std::abs(a) < 1e-12) {
    if (b != 0) root(-c / b);
    return;
  }
  const double discriminant = b * b - 4 * a * c;
  if (discriminant < 0) return;
  const double s = std::sqrt(discriminant);
  root((-b + s) / (2 * a));
  root((-b - s) / (2 * a));
}

std::string closedText(bool closed) { return closed ? "closed" : "open"; }

}  // namespace

MaskBounds curveBounds(const std::vector<aehost::MaskVertex>& vertices, bool closed) {
  if (vertices.empty()) return {};
  MaskBounds box{vertices[0].position.x, vertices[0].position.y, vertices[0].position.x, vertices[0].position.y};
  const std::size_t segments = static_cast<std::size_t>(aehost::Mask::segmentCount(closed, vertices.size()));
  for (std::size_t i = 0; i < segments; ++i) {
    const aehost::MaskVertex& from = vertices[i];
    const aehost::MaskVertex& to = vertices[(i + 1) % vertices.size()];
    widenByCubic(from.position.x, from.outTangent.x, to.inTangent.x, to.position.x, box.left, box.right);
    widenByCubic(from.position.y, from.outTangent.y, to.inTangent.y, to.position.y, box.top, box.bottom);
  }
  return box;
}

void printMaskTable(const std::vector<aehost::Mask>& masks, std::ostream& out) {
  std::size_t nameWidth = 4;
  for (const aehost::Mask& mask : masks) nameWidth = std::max(nameWidth, mask.name.size());
  out << std::left << std::setw(7) << "number" << std::setw(static_cast<int>(nameWidth) + 2) << "name" << std::setw(10)
      << "vertices" << std::setw(8) << "shape" << "bounding box\n";
  for (std::size_t i = 0; i < masks.size(); ++i) {
    const aehost::Mask& mask = masks[i];
    const MaskBounds box = curveBounds(mask.vertices, mask.closed);
    std::ostringstream line;
    line << std::right << std::setw(6) << i + 1 << ' ' << std::left << std::setw(static_cast<int>(nameWidth) + 2)
         << mask.name << std::setw(10) << mask.vertices.size() << std::setw(8) << closedText(mask.closed) << "x "
         << numberText(box.left) << " to " << numberText(box.right) << ", y " << numberText(box.top) << " to "
         << numberText(box.bottom);
    out << line.str() << "\n";
  }
}

nlohmann::ordered_json maskJson(const std::vector<aehost::Mask>& masks) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < masks.size(); ++i) {
    const aehost::Mask& mask = masks[i];
    const MaskBounds box = curveBounds(mask.vertices, mask.closed);
    list.push_back({{"number", i + 1},
                    {"name", mask.name},
                    {"vertices", mask.vertices.size()},
                    {"closed", mask.closed},
                    {"bounds", {{"left", box.left}, {"top", box.top}, {"right", box.right}, {"bottom", box.bottom}}}});
  }
  return list;
}

}  // namespace inkline_cli
