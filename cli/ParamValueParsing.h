// One parameter value from scene JSON, checked against the parameter's registered definition:
// numbers for sliders and angles (degrees), true/false for checkboxes, "#rrggbb" or [r, g, b]
// for colours, a mask name or 1-based mask index for paths, a choice number or name for
// popups, [x, y] for points.
#pragma once

#include <string>
#include <vector>

#include "AE_Effect.h"
#include "JsonFields.h"
#include "aehost/ParamValue.h"

namespace inkline_cli {

// The layer's masks in mask order, for path parameters.
struct MaskDirectory {
  std::vector<std::string> names;
  std::vector<PF_PathID> ids;
};

// Throws InputError at `place` when the value does not fit or lies outside the valid range.
aehost::ParamValue readParamValue(const PF_ParamDef& def, const Json& value, const std::string& place,
                                  const MaskDirectory& masks);

}  // namespace inkline_cli
