// --list-params: the parameter panel as the plug-in registered it, as a table for people or
// as JSON for pipelines.
#pragma once

#include <ostream>
#include <vector>

#include "ParamDescription.h"
#include "aehost/Parameters.h"

namespace inkline_cli {

std::vector<ParamDescription> describePanel(const aehost::Parameters& params);

// One line a parameter, group contents indented.
void printParameterTable(const std::vector<ParamDescription>& panel, std::ostream& out);

// [{"index", "id", "name", "kind", "default", "valid_min", "valid_max", "slider_min",
// "slider_max"}, ...]; null where a parameter has no such value.
nlohmann::ordered_json parameterJson(const std::vector<ParamDescription>& panel);

}  // namespace inkline_cli
