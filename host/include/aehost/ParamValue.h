#pragma once

#include <iosfwd>
#include <string>
#include <variant>

#include "AE_Effect.h"

namespace aehost {

// A parameter's value as a test states it: one alternative per kind of value, so a value
// meant for a float slider cannot land on a popup. 16.16 fields are given as doubles and
// rounded to the nearest 1/65536 on the way into a PF_ParamDef.
struct NoValue {  // layers, groups, buttons, custom UI, arbitrary data
  bool operator==(const NoValue&) const = default;
};
struct SliderValue {  // PF_Param_SLIDER
  A_long value = 0;
  bool operator==(const SliderValue&) const = default;
};
struct FixedSliderValue {  // PF_Param_FIX_SLIDER
  double value = 0;
  bool operator==(const FixedSliderValue&) const = default;
};
struct FloatSliderValue {  // PF_Param_FLOAT_SLIDER
  double value = 0;
  bool operator==(const FloatSliderValue&) const = default;
};
struct AngleValue {  // PF_Param_ANGLE
  double degrees = 0;
  bool operator==(const AngleValue&) const = default;
};
struct CheckboxValue {  // PF_Param_CHECKBOX
  bool checked = false;
  bool operator==(const CheckboxValue&) const = default;
};
struct ColorValue {  // PF_Param_COLOR, 8 bits per channel
  A_u_char alpha = 255;
  A_u_char red = 0;
  A_u_char green = 0;
  A_u_char blue = 0;
  bool operator==(const ColorValue&) const = default;
};
struct PointValue {  // PF_Param_POINT, layer pixels
  double x = 0;
  double y = 0;
  bool operator==(const PointValue&) const = default;
};
struct PopupValue {  // PF_Param_POPUP, 1-based choice
  A_long choice = 1;
  bool operator==(const PopupValue&) const = default;
};
struct PathValue {  // PF_Param_PATH, PF_PathID_NONE for no mask
  PF_PathID id = PF_PathID_NONE;
  bool operator==(const PathValue&) const = default;
};
struct Point3DValue {  // PF_Param_POINT_3D
  double x = 0;
  double y = 0;
  double z = 0;
  bool operator==(const Point3DValue&) const = default;
};

using ParamValue = std::variant<NoValue, SliderValue, FixedSliderValue, FloatSliderValue, AngleValue, CheckboxValue,
                                ColorValue, PointValue, PopupValue, PathValue, Point3DValue>;

// The alternative a parameter of this type holds (NoValue for types without a simple value).
ParamValue emptyValueFor(PF_ParamType type);
bool valueFitsType(const ParamValue& value, PF_ParamType type);

// The value fields of a definition, read as the alternative its param_type takes.
ParamValue readValue(const PF_ParamDef& def);
// Writes the value fields; the caller has checked that the value fits def.param_type.
void writeValue(const ParamValue& value, PF_ParamDef& def);

// "FloatSliderValue{2.5}", for messages and test output.
std::string describeValue(const ParamValue& value);
void PrintTo(const ParamValue& value, std::ostream* os);

// 16.16 fixed point from a double, to the nearest representable value.
PF_Fixed toFixed(double value);
double fromFixed(PF_Fixed value);

}  // namespace aehost
