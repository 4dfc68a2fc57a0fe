#include "aehost/ParamValue.h"

#include <cmath>
#include <ostream>
#include <sstream>

namespace aehost {
namespace {

template <typename... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
// Clang 14 does not deduce aggregate template arguments (C++20 CTAD for aggregates) yet.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace

PF_Fixed toFixed(double value) { return static_cast<PF_Fixed>(std::lround(value * 65536.0)); }
double fromFixed(PF_Fixed value) { return static_cast<double>(value) / 65536.0; }

ParamValue emptyValueFor(PF_ParamType type) {
  switch (type) {
    case PF_Param_SLIDER: return SliderValue{};
    case PF_Param_FIX_SLIDER: return FixedSliderValue{};
    case PF_Param_FLOAT_SLIDER: return FloatSliderValue{};
    case PF_Param_ANGLE: return AngleValue{};
    case PF_Param_CHECKBOX: return CheckboxValue{};
    case PF_Param_COLOR: return ColorValue{};
    case PF_Param_POINT: return PointValue{};
    case PF_Param_POPUP: return PopupValue{};
    case PF_Param_PATH: return PathValue{};
    case PF_Param_POINT_3D: return Point3DValue{};
    default: return NoValue{};
  }
}

bool valueFitsType(const ParamValue& value, PF_ParamType type) { return value.index() == emptyValueFor(type).index(); }

ParamValue readValue(const PF_ParamDef& def) {
  const PF_ParamDefUnion& u = def.u;
  switch (def.param_type) {
    case PF_Param_SLIDER: return SliderValue{u.sd.value};
    case PF_Param_FIX_SLIDER: return FixedSliderValue{fromFixed(u.fd.value)};
    case PF_Param_FLOAT_SLIDER: return FloatSliderValue{u.fs_d.value};
    case PF_Param_ANGLE: return AngleValue{fromFixed(u.ad.value)};
    case PF_Param_CHECKBOX: return CheckboxValue{u.bd.value != 0};
    case PF_Param_COLOR: return ColorValue{u.cd.value.alpha, u.cd.value.red, u.cd.value.green, u.cd.value.blue};
    case PF_Param_POINT: return PointValue{fromFixed(u.td.x_value), fromFixed(u.td.y_value)};
    case PF_Param_POPUP: return PopupValue{u.pd.value};
    case PF_Param_PATH: return PathValue{u.path_d.path_id};
    case PF_Param_POINT_3D: return Point3DValue{u.point3d_d.x_value, u.point3d_d.y_value, u.point3d_d.z_value};
    default: return NoValue{};
  }
}

void writeValue(const ParamValue& value, PF_ParamDef& def) {
  PF_ParamDefUnion& u = def.u;
  std::visit(Overloaded{
                 [](const NoValue&) {},
                 [&](const SliderValue& v) { u.sd.value = v.value; },
                 [&](const FixedSliderValue& v) { u.fd.value = toFixed(v.value); },
                 [&](const FloatSliderValue& v) { u.fs_d.value = v.value; },
                 [&](const AngleValue& v) { u.ad.value = toFixed(v.degrees); },
                 [&](const CheckboxValue& v) { u.bd.value = v.checked ? 1 : 0; },
                 [&](const ColorValue& v) { u.cd.value = PF_Pixel{v.alpha, v.red, v.green, v.blue}; },
                 [&](const PointValue& v) {
                   u.td.x_value = toFixed(v.x);
                   u.td.y_value = toFixed(v.y);
                 },
                 [&](const PopupValue& v) { u.pd.value = v.choice; },
                 [&](const PathValue& v) { u.path_d.path_id = v.id; },
                 [&](const Point3DValue& v) {
                   u.point3d_d.x_value = v.x;
                   u.point3d_d.y_value = v.y;
                   u.point3d_d.z_value = v.z;
                 },
             },
             value);
}

std::string describeValue(const ParamValue& value) {
  std::ostringstream text;
  std::visit(Overloaded{
                 [&](const NoValue&) { text << "NoValue{}"; },
                 [&](const SliderValue& v) { text << "SliderValue{" << v.value << "}"; },
                 [&](const FixedSliderValue& v) { text << "FixedSliderValue{" << v.value << "}"; },
                 [&](const FloatSliderValue& v) { text << "FloatSliderValue{" << v.value << "}"; },
                 [&](const AngleValue& v) { text << "AngleValue{" << v.degrees << "}"; },
                 [&](const CheckboxValue& v) { text << "CheckboxValue{" << (v.checked ? "true" : "false") << "}"; },
                 [&](const ColorValue& v) {
                   text << "ColorValue{a " << int{v.alpha} << ", r " << int{v.red} << ", g " << int{v.green} << ", b "
                        << int{v.blue} << "}";
                 },
                 [&](const PointValue& v) { text << "PointValue{" << v.x << ", " << v.y << "}"; },
                 [&](const PopupValue& v) { text << "PopupValue{" << v.choice << "}"; },
                 [&](const PathValue& v) { text << "PathValue{" << v.id << "}"; },
                 [&](const Point3DValue& v) { text << "Point3DValue{" << v.x << ", " << v.y << ", " << v.z << "}"; },
             },
             value);
  return text.str();
}

void PrintTo(const ParamValue& value, std::ostream* os) { *os << describeValue(value); }

}  // namespace aehost
