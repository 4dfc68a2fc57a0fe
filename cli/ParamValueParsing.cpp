#include "ParamValueParsing.h"

#include <cmath>

#include "ColorText.h"
#include "NameSuggestion.h"
#include "NumberText.h"
#include "ParamDescription.h"

namespace inkline_cli {

namespace {

double checkedNumber(const ParamDescription& d, const Json& value, const std::string& place) {
  const double number = readNumber(value, place);
  if (d.valid && (number < d.valid->min || number > d.valid->max)) {
    failAt(place, value.dump() + " is outside the valid range of \"" + d.name + "\", " + numberText(d.valid->min) +
                      " to " + numberText(d.valid->max));
  }
  return number;
}

std::vector<std::string> popupChoices(const PF_ParamDef& def) {
  std::vector<std::string> choices;
  const char* names = def.u.pd.u.namesptr;
  if (names == nullptr) return choices;
  std::string text(names);
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t bar = text.find('|', start);
    choices.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return choices;
}

aehost::ParamValue popupValue(const PF_ParamDef& def, const ParamDescription& d, const Json& value,
                              const std::string& place) {
  if (value.is_string()) {
    const std::vector<std::string> choices = popupChoices(def);
    const std::string wanted = value.get<std::string>();
    for (std::size_t i = 0; i < choices.size(); ++i) {
      if (choices[i] == wanted && choices[i] != "(-") return aehost::PopupValue{static_cast<A_long>(i + 1)};
    }
    failAt(place, "\"" + d.name + "\" has no choice \"" + wanted + "\"" + didYouMean(wanted, choices));
  }
  return aehost::PopupValue{static_cast<A_long>(readInteger(value, place, 1, def.u.pd.num_choices))};
}

aehost::ParamValue pathValue(const Json& value, const std::string& place, const MaskDirectory& masks) {
  if (value.is_string()) {
    const std::string wanted = value.get<std::string>();
    for (std::size_t i = 0; i < masks.names.size(); ++i) {
      if (masks.names[i] == wanted) return aehost::PathValue{masks.ids[i]};
    }
    failAt(place, "there is no mask named \"" + wanted + "\"" + didYouMean(wanted, masks.names));
  }
  if (!value.is_number())
    failAt(place, "expected a mask name or a 1-based mask index, found " + describeJsonType(value));
  if (masks.ids.empty()) failAt(place, "the scene has no masks to choose from");
  const long long index = readInteger(value, place, 1, static_cast<long long>(masks.ids.size()));
  return aehost::PathValue{masks.ids[static_cast<std::size_t>(index - 1)]};
}

std::vector<double> coordinates(const Json& value, const std::string& place, std::size_t count) {
  const std::string shape = count == 2 ? "[x, y]" : "[x, y, z]";
  if (!value.is_array() || value.size() != count)
    failAt(place, "expected " + shape + ", found " + describeJsonType(value));
  std::vector<double> numbers;
  for (std::size_t i = 0; i < count; ++i) numbers.push_back(readNumber(value[i], indexPlace(place, i)));
  return numbers;
}

}  // namespace

aehost::ParamValue readParamValue(const PF_ParamDef& def, const Json& value, const std::string& place,
                                  const MaskDirectory& masks) {
  const ParamDescription d = describeParam(0, def);
  switch (def.param_type) {
    case PF_Param_SLIDER: {
      // The range first: a number far outside it is never converted to an integer.
      const double number = checkedNumber(d, value, place);
      if (number != std::trunc(number) || !(std::fabs(number) <= 2147483647.0)) {
        failAt(place, "\"" + d.name + "\" takes whole numbers, not " + value.dump());
      }
      return aehost::SliderValue{static_cast<A_long>(number)};
    }
    case PF_Param_FIX_SLIDER:
      return aehost::FixedSliderValue{checkedNumber(d, value, place)};
    case PF_Param_FLOAT_SLIDER:
      return aehost::FloatSliderValue{checkedNumber(d, value, place)};
    case PF_Param_ANGLE: {
      // The host holds angles as 16.16 fixed point degrees.
      const double degrees = checkedNumber(d, value, place);
      if (!(degrees >= -32768.0 && degrees < 32768.0)) {
        failAt(place, value.dump() + " is outside the angles \"" + d.name + "\" can hold, -32768 to 32767.99 degrees");
      }
      return aehost::AngleValue{degrees};
    }
    case PF_Param_CHECKBOX:
      return aehost::CheckboxValue{readBool(value, place)};
    case PF_Param_COLOR: {
      const PF_Pixel8 c = readColor(value, place, false);
      return aehost::ColorValue{255, c.red, c.green, c.blue};
    }
    case PF_Param_POPUP:
      return popupValue(def, d, value, place);
    case PF_Param_PATH:
      return pathValue(value, place, masks);
    case PF_Param_POINT: {
      const auto xy = coordinates(value, place, 2);
      return aehost::PointValue{xy[0], xy[1]};
    }
    case PF_Param_POINT_3D: {
      const auto xyz = coordinates(value, place, 3);
      return aehost::Point3DValue{xyz[0], xyz[1], xyz[2]};
    }
    default:
      failAt(place, "\"" + d.name + "\" is a " + d.kind + " and takes no value");
  }
}

}  // namespace inkline_cli
