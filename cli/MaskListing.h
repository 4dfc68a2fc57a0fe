// What --list-masks prints about a scene's masks, so that a user can pick the "Target Path":
// each mask's number, name, vertex count, whether it is closed, and the bounding box of the
// curve it draws (its outline, not its control points).
#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <vector>

#include "aehost/Mask.h"

namespace inkline_cli {

struct MaskBounds {
  double left = 0, top = 0, right = 0, bottom = 0;
};

// The extremes of every cubic segment (the closing one too); all zero without vertices.
MaskBounds curveBounds(const std::vector<aehost::MaskVertex>& vertices, bool closed);

void printMaskTable(const std::vector<aehost::Mask>& masks, std::ostream& out);
nlohmann::ordered_json maskJson(const std::vector<aehost::Mask>& masks);

}  // namespace inkline_cli
