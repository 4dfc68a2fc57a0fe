#include "ParamDescription.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "ColorText.h"
#include "aehost/ParamValue.h"

namespace inkline_cli {

std::string kindName(PF_ParamType type) {
  switch (type) {
    case PF_Param_LAYER:
      return "layer";
    case PF_Param_SLIDER:
      return "slider";
    case PF_Param_FIX_SLIDER:
      return "fixed slider";
    case PF_Param_ANGLE:
      return "angle";
    case PF_Param_CHECKBOX:
      return "checkbox";
    case PF_Param_COLOR:
      return "color";
    case PF_Param_POINT:
      return "point";
    case PF_Param_POPUP:
      return "popup";
    case PF_Param_CUSTOM:
      return "custom";
    case PF_Param_NO_DATA:
      return "no data";
    case PF_Param_FLOAT_SLIDER:
      return "float slider";
    case PF_Param_ARBITRARY_DATA:
      return "arbitrary data";
    case PF_Param_PATH:
      return "path";
    case PF_Param_GROUP_START:
      return "group start";
    case PF_Param_GROUP_END:
      return "group end";
    case PF_Param_BUTTON:
      return "button";
    case PF_Param_POINT_3D:
      return "point 3d";
    default:
      return "type " + std::to_string(type);
  }
}

double shortestDouble(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  double parsed = value;
  std::from_chars(text, result.ptr, parsed);
  return parsed;
}

ParamDescription describeParam(PF_ParamIndex index, const PF_ParamDef& def) {
  ParamDescription d;
  d.index = index;
  d.id = def.uu.id;
  d.name = std::string(def.name, strnlen(def.name, sizeof def.name));
  d.kind = kindName(def.param_type);
  d.takesValue = true;
  switch (def.param_type) {
    case PF_Param_SLIDER: {
      const PF_SliderDef& s = def.u.sd;
      d.defaultValue = s.dephault;
      d.valid = NumericRange{static_cast<double>(s.valid_min), static_cast<double>(s.valid_max)};
      d.slider = NumericRange{static_cast<double>(s.slider_min), static_cast<double>(s.slider_max)};
      break;
    }
    case PF_Param_FIX_SLIDER: {
      const PF_FixedSliderDef& s = def.u.fd;
      d.defaultValue = aehost::fromFixed(s.dephault);
      d.valid = NumericRange{aehost::fromFixed(s.valid_min), aehost::fromFixed(s.valid_max)};
      d.slider = NumericRange{aehost::fromFixed(s.slider_min), aehost::fromFixed(s.slider_max)};
      d.percent = (s.display_flags & PF_ValueDisplayFlag_PERCENT) != 0;
      break;
    }
    case PF_Param_FLOAT_SLIDER: {
      const PF_FloatSliderDef& s = def.u.fs_d;
      d.defaultValue = shortestDouble(s.dephault);
      d.valid = NumericRange{shortestDouble(s.valid_min), shortestDouble(s.valid_max)};
      d.slider = NumericRange{shortestDouble(s.slider_min), shortestDouble(s.slider_max)};
      d.percent = (s.display_flags & PF_ValueDisplayFlag_PERCENT) != 0;
      break;
    }
    case PF_Param_ANGLE: {
      const PF_AngleDef& a = def.u.ad;
      d.defaultValue = aehost::fromFixed(a.dephault);
      if (a.valid_min < a.valid_max)
        d.valid = NumericRange{aehost::fromFixed(a.valid_min), aehost::fromFixed(a.valid_max)};
      break;
    }
    case PF_Param_CHECKBOX:
      d.defaultValue = def.u.bd.dephault != 0;
      break;
    case PF_Param_COLOR:
      d.defaultValue = colorToHex(def.u.cd.dephault);
      break;
    case PF_Param_POPUP:
      d.defaultValue = def.u.pd.dephault;
      d.valid = NumericRange{1, static_cast<double>(def.u.pd.num_choices)};
      break;
    case PF_Param_PATH:
      // The default is a 1-based mask index, 0 for none.
      d.defaultValue = def.u.path_d.dephault == 0 ? nlohmann::json() : nlohmann::json(def.u.path_d.dephault);
      break;
    case PF_Param_POINT:
      d.defaultValue =
          nlohmann::json::array({aehost::fromFixed(def.u.td.x_dephault), aehost::fromFixed(def.u.td.y_dephault)});
      d.percent = true;  // a point's default is a percentage of the layer size
      break;
    case PF_Param_POINT_3D:
      d.defaultValue =
          nlohmann::json::array({def.u.point3d_d.x_dephault, def.u.point3d_d.y_dephault, def.u.point3d_d.z_dephault});
      break;
    default:
      d.takesValue = false;
      break;
  }
  return d;
}

}  // namespace inkline_cli
