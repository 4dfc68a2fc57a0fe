// What a registered parameter is, in words and numbers: its kind, default and ranges, as the
// plug-in gave them at PF_Cmd_PARAMS_SETUP. Shared by the listing and the value checks.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "AE_Effect.h"

namespace inkline_cli {

struct NumericRange {
  double min = 0;
  double max = 0;
};

struct ParamDescription {
  PF_ParamIndex index = 0;
  A_long id = 0;
  std::string name;
  std::string kind;                    // "float slider", "checkbox", "group start", ...
  nlohmann::json defaultValue;         // null for kinds without a value
  std::optional<NumericRange> valid;   // what a value may be
  std::optional<NumericRange> slider;  // what the panel's slider spans
  bool percent = false;                // shown with a % sign
  bool takesValue = false;             // a scene may set it
};

ParamDescription describeParam(PF_ParamIndex index, const PF_ParamDef& def);

std::string kindName(PF_ParamType type);

// A float as the shortest decimal that reads back as the same float, so 0.1f lists as 0.1.
double shortestDouble(float value);

}  // namespace inkline_cli
