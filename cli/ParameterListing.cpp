#include "ParameterListing.h"

#include <iomanip>
#include <sstream>

#include "NumberText.h"

namespace inkline_cli {

namespace {

std::string defaultText(const ParamDescription& d) {
  const nlohmann::json& v = d.defaultValue;
  if (v.is_null()) return d.kind == "path" ? "none" : "";
  if (v.is_boolean()) return v.get<bool>() ? "on" : "off";
  if (v.is_string()) return v.get<std::string>();
  if (v.is_array()) {
    std::string text;
    for (const auto& c : v) text += (text.empty() ? "" : ", ") + numberText(c.get<double>()) + (d.percent ? "%" : "");
    return text;
  }
  return numberText(v.get<double>()) + (d.percent ? "%" : "");
}

std::string rangeText(const std::optional<NumericRange>& range) {
  return range ? numberText(range->min) + " .. " + numberText(range->max) : "";
}

nlohmann::ordered_json rangeEnd(const std::optional<NumericRange>& range, bool max) {
  if (!range) return nullptr;
  return max ? range->max : range->min;
}

}  // namespace

std::vector<ParamDescription> describePanel(const aehost::Parameters& params) {
  std::vector<ParamDescription> panel;
  for (const aehost::RegisteredParam& p : params.added()) panel.push_back(describeParam(p.index, p.def));
  return panel;
}

void printParameterTable(const std::vector<ParamDescription>& panel, std::ostream& out) {
  out << std::left << std::setw(6) << "index" << std::setw(5) << "id" << std::setw(30) << "name" << std::setw(14)
      << "kind" << std::setw(10) << "default" << std::setw(18) << "valid"
      << "slider\n";
  int depth = 0;
  for (const ParamDescription& d : panel) {
    if (d.kind == "group end") depth = std::max(0, depth - 1);
    const std::string name =
        std::string(static_cast<std::size_t>(depth) * 2, ' ') + (d.kind == "group end" ? "(end)" : d.name);
    std::ostringstream line;
    line << std::right << std::setw(5) << d.index << ' ' << std::setw(4) << d.id << ' ' << std::left << std::setw(30)
         << name << std::setw(14) << d.kind << std::setw(10) << defaultText(d) << std::setw(18) << rangeText(d.valid)
         << rangeText(d.slider);
    std::string text = line.str();
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << "\n";
    if (d.kind == "group start") ++depth;
  }
}

nlohmann::ordered_json parameterJson(const std::vector<ParamDescription>& panel) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  std::vector<std::string> groups;  // the groups open at this point, innermost last
  for (const ParamDescription& d : panel) {
    // A group's end sits in the group it ends; its start in the group around it.
    const nlohmann::ordered_json group = groups.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(groups.back());
    if (d.kind == "group start") groups.push_back(d.name);
    if (d.kind == "group end" && !groups.empty()) groups.pop_back();
    list.push_back({{"index", d.index},
                    {"id", d.id},
                    {"name", d.name},
                    {"kind", d.kind},
                    {"group", group},
                    {"default", nlohmann::ordered_json(d.defaultValue)},
                    {"valid_min", rangeEnd(d.valid, false)},
                    {"valid_max", rangeEnd(d.valid, true)},
                    {"slider_min", rangeEnd(d.slider, false)},
                    {"slider_max", rangeEnd(d.slider, true)}});
  }
  return list;
}

}  // namespace inkline_cli
