#include "params/ParamAdd.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "AE_EffectCB.h"
#include "framework/HostVersion.h"
#include "params/StoredDefaults.h"

namespace {

// The settings file is consulted only when given and on hosts newer than API 12.11.
const char* storedDefaultsPath(const PF_InData* in_data, const char* settingsPath) {
  return settingsPath != nullptr && hostReadsStoredDefaults(in_data->version) ? settingsPath : nullptr;
}

void beginDefinition(BaseParam& param, PF_InData* in_data, PF_ParamType type, bool named = true) {
  param.def.param_type = type;
  if (named) in_data->utils->ansi.strcpy(param.def.name, param.name);
}

PF_Err addDefinition(BaseParam& param, PF_InData* in_data, A_long id) {
  param.def.uu.id = id;
  return in_data->inter.add_param(in_data->effect_ref, -1, &param.def);
}

// Degrees to 16.16, truncating toward zero; out-of-range texts saturate rather than overflow.
PF_Fixed degreesToFixed(double degrees) {
  const double fixed = degrees * 65536.0;
  if (std::isnan(fixed)) return 0;
  if (fixed >= 2147483647.0) return std::numeric_limits<PF_Fixed>::max();
  if (fixed <= -2147483648.0) return std::numeric_limits<PF_Fixed>::min();
  return static_cast<PF_Fixed>(fixed);
}

// A stored decimal as the parameter may hold it: a hand-edited or damaged file must not
// give a value the panel could never set (2^31 copies, an infinite saturation). Not a
// finite number: the built-in default; beyond the valid range: its nearest end.
double withinRange(double stored, double builtIn, double validMin, double validMax) {
  if (!std::isfinite(stored)) return builtIn;
  return std::clamp(stored, validMin, validMax);
}

A_u_char lowByte(A_long value) { return static_cast<A_u_char>(static_cast<std::uint32_t>(value) & 0xFFu); }

}  // namespace

PF_Err ParamAddSlider::addToHost(PF_InData* in_data, A_long id, const char* settingsPath) {
  const char* path = storedDefaultsPath(in_data, settingsPath);
  beginDefinition(*this, in_data, PF_Param_SLIDER);
  const A_long value =
      path != nullptr ? std::clamp(readStoredInteger(path, name, defaultValue), validMin, validMax) : defaultValue;
  PF_SliderDef& sd = def.u.sd;
  sd.value = value;
  sd.dephault = value;
  sd.valid_min = validMin;
  sd.valid_max = validMax;
  sd.slider_min = sliderMin;
  sd.slider_max = sliderMax;
  std::memset(sd.value_str, 0, sizeof sd.value_str);
  std::memset(sd.value_desc, 0, sizeof sd.value_desc);
  return addDefinition(*this, in_data, id);
}

void ParamAddSlider::storeDefault(PF_InData*, const char* settingsPath) {
  writeStoredInteger(settingsPath, name, def.u.sd.value);
}

void ParamAddSlider::holdToValidRange(PF_ParamDef& value) const {
  value.u.sd.value = std::clamp(value.u.sd.value, validMin, validMax);
}

PF_Err ParamAddFloatSlider::addToHost(PF_InData* in_data, A_long id, const char* settingsPath) {
  const char* path = storedDefaultsPath(in_data, settingsPath);
  beginDefinition(*this, in_data, PF_Param_FLOAT_SLIDER);
  const PF_FpShort value =
      path != nullptr
          ? static_cast<PF_FpShort>(withinRange(readStoredDecimal(path, name, defaultValue), defaultValue, validMin, validMax))
          : defaultValue;
  PF_FloatSliderDef& fs = def.u.fs_d;
  fs.value = value;
  fs.dephault = value;
  fs.valid_min = validMin;
  fs.valid_max = validMax;
  fs.slider_min = sliderMin;
  fs.slider_max = sliderMax;
  fs.precision = precision;
  fs.display_flags = displayFlags;
  fs.curve_tolerance = 0.05f;
  if (wantPhase != 0) fs.fs_flags |= PF_FSliderFlag_WANT_PHASE;
  return addDefinition(*this, in_data, id);
}

void ParamAddFloatSlider::storeDefault(PF_InData*, const char* settingsPath) {
  writeStoredDecimal(settingsPath, name, def.u.fs_d.value);
}

void ParamAddFloatSlider::holdToValidRange(PF_ParamDef& value) const {
  value.u.fs_d.value = withinRange(value.u.fs_d.value, defaultValue, validMin, validMax);
}

PF_Err ParamAddAngle::addToHost(PF_InData* in_data, A_long id, const char* settingsPath) {
  const char* path = storedDefaultsPath(in_data, settingsPath);
  beginDefinition(*this, in_data, PF_Param_ANGLE);
  const double builtIn = defaultValue / 65536.0;
  double degrees = builtIn;
  if (path != nullptr) {
    degrees = readStoredDecimal(path, name, builtIn);
    if (!std::isfinite(degrees)) degrees = builtIn;
  }
  const PF_Fixed value = degreesToFixed(degrees);
  def.u.ad.value = value;
  def.u.ad.dephault = value;
  return addDefinition(*this, in_data, id);
}

void ParamAddAngle::storeDefault(PF_InData*, const char* settingsPath) {
  writeStoredDecimal(settingsPath, name, def.u.ad.value / 65536.0);
}

PF_Err ParamAddCheckbox::addToHost(PF_InData* in_data, A_long id, const char* settingsPath) {
  const char* path = storedDefaultsPath(in_data, settingsPath);
  beginDefinition(*this, in_data, PF_Param_CHECKBOX);
  const A_long fallback = static_cast<signed char>(defaultValue);
  const A_u_char low = lowByte(path != nullptr ? readStoredInteger(path, name, fallback) : fallback);
  def.u.bd.value = static_cast<signed char>(low);
  def.u.bd.dephault = static_cast<PF_Boolean>(low);
  def.u.bd.u.nameptr = label;
  def.flags |= extraFlags;
  return addDefinition(*this, in_data, id);
}

void ParamAddCheckbox::storeDefault(PF_InData*, const char* settingsPath) {
  writeStoredInteger(settingsPath, name, def.u.bd.value);
}

PF_Err ParamAddColor::addToHost(PF_InData* in_data, A_long id, const char* settingsPath) {
  const char* path = storedDefaultsPath(in_data, settingsPath);
  beginDefinition(*this, in_data, PF_Param_COLOR);
  PF_Pixel color = defaultColor;
  color.alpha = 255;
  if (path != nullptr) {
    color.red = lowByte(readStoredInteger(path, componentKey(name, "r").c_str(), defaultColor.red));
    color.green = lowByte(readStoredInteger(path, componentKey(name, "g").c_str(), defaultColor.green));
    color.blue = lowByte(readStoredInteger(path, componentKey(name, "b").c_str(), defaultColor.blue));
  }
  def.u.cd.value = color;
  def.u.cd.dephault = color;
  return addDefinition(*this, in_data, id);
}

void ParamAddColor::storeDefault(PF_InData*, const char* settingsPath) {
  const PF_Pixel& c = def.u.cd.value;
  // Alpha is written for completeness; it is never read back (always opaque).
  writeStoredInteger(settingsPath, componentKey(name, "r").c_str(), c.red);
  writeStoredInteger(settingsPath, componentKey(name, "g").c_str(), c.green);
  writeStoredInteger(settingsPath, componentKey(name, "b").c_str(), c.blue);
  writeStoredInteger(settingsPath, componentKey(name, "a").c_str(), c.alpha);
}

PF_Err ParamAddPath::addToHost(PF_InData* in_data, A_long id, const char*) {
  beginDefinition(*this, in_data, PF_Param_PATH);
  def.u.path_d.dephault = defaultPath;
  return addDefinition(*this, in_data, id);
}

PF_Err ParamAddTopic::addToHost(PF_InData* in_data, A_long id, const char*) {
  beginDefinition(*this, in_data, PF_Param_GROUP_START);
  return addDefinition(*this, in_data, id);
}

PF_Err ParamEndTopic::addToHost(PF_InData* in_data, A_long id, const char*) {
  beginDefinition(*this, in_data, PF_Param_GROUP_END, false);
  return addDefinition(*this, in_data, id);
}
