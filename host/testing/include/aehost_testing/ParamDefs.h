#pragma once

// Parameter definitions as an effect fills them before PF_ADD_PARAM, for scripting the probe
// and for hand-driven tests. Values are also the defaults; 16.16 fields are given as doubles.

#include <cmath>
#include <cstring>

#include "AE_Effect.h"

namespace aehost::testing {

inline PF_ParamDef paramDef(PF_ParamType type, const char* name, A_long id, PF_ParamFlags flags = 0) {
  PF_ParamDef def{};
  def.param_type = type;
  std::strncpy(def.name, name, sizeof def.name - 1);
  def.uu.id = id;
  def.flags = flags;
  return def;
}

inline PF_Fixed fixed(double value) { return static_cast<PF_Fixed>(std::lround(value * 65536.0)); }

inline PF_ParamDef sliderDef(const char* name, A_long value, A_long id, PF_ParamFlags flags = 0) {
  PF_ParamDef def = paramDef(PF_Param_SLIDER, name, id, flags);
  def.u.sd.value = def.u.sd.dephault = value;
  def.u.sd.valid_min = def.u.sd.slider_min = -1000;
  def.u.sd.valid_max = def.u.sd.slider_max = 1000;
  return def;
}

inline PF_ParamDef fixedSliderDef(const char* name, double value, A_long id, PF_ParamFlags flags = 0) {
  PF_ParamDef def = paramDef(PF_Param_FIX_SLIDER, name, id, flags);
  def.u.fd.value = def.u.fd.dephault = fixed(value);
  def.u.fd.valid_min = def.u.fd.slider_min = fixed(-100);
  def.u.fd.valid_max = def.u.fd.slider_max = fixed(100);
  return def;
}

inline PF_ParamDef floatSliderDef(const char* name, double value, A_long id, PF_ParamFlags flags = 0) {
  PF_ParamDef def = paramDef(PF_Param_FLOAT_SLIDER, name, id, flags);
  def.u.fs_d.value = value;
  def.u.fs_d.dephault = static_cast<PF_FpShort>(value);
  def.u.fs_d.valid_min = def.u.fs_d.slider_min = -1000;
  def.u.fs_d.valid_max = def.u.fs_d.slider_max = 1000;
  def.u.fs_d.precision = 2;
  return def;
}

inline PF_ParamDef angleDef(const char* name, double degrees, A_long id, PF_ParamFlags flags = 0) {
  PF_ParamDef def = paramDef(PF_Param_ANGLE, name, id, flags);
  def.u.ad.value = def.u.ad.dephault = fixed(degrees);
  return def;
}

inline PF_ParamDef checkboxDef(const char* name, const char* label, bool checked, A_long id, PF_ParamFlags flags = 0) {
  PF_ParamDef def = paramDef(PF_Param_CHECKBOX, name, id, flags);
  def.u.bd.value = checked ? 1 : 0;
  def.u.bd.dephault = checked ? 1 : 0;
  def.u.bd.u.nameptr = label;
  return def;
}

inline PF_ParamDef colorDef(const char* name, PF_Pixel color, A_long id, PF_ParamFlags flags = 0) {
  PF_ParamDef def = paramDef(PF_Param_COLOR, name, id, flags);
  def.u.cd.value = def.u.cd.dephault = color;
  return def;
}

// x and y are percentages of the layer size, as PF_ADD_POINT takes them.
inline PF_ParamDef pointDef(const char* name, double xPercent, double yPercent, A_long id, PF_ParamFlags flags = 0) {
  PF_ParamDef def = paramDef(PF_Param_POINT, name, id, flags);
  def.u.td.x_value = def.u.td.x_dephault = fixed(xPercent);
  def.u.td.y_value = def.u.td.y_dephault = fixed(yPercent);
  return def;
}

inline PF_ParamDef popupDef(const char* name, const char* choices, A_short count, A_long choice, A_long id,
                            PF_ParamFlags flags = 0) {
  PF_ParamDef def = paramDef(PF_Param_POPUP, name, id, flags);
  def.u.pd.value = choice;
  def.u.pd.dephault = static_cast<A_short>(choice);
  def.u.pd.num_choices = count;
  def.u.pd.u.namesptr = choices;
  return def;
}

inline PF_ParamDef pathDef(const char* name, A_long defaultMask, A_long id, PF_ParamFlags flags = 0) {
  PF_ParamDef def = paramDef(PF_Param_PATH, name, id, flags);
  def.u.path_d.dephault = defaultMask;
  return def;
}

inline PF_ParamDef groupStartDef(const char* name, A_long id) { return paramDef(PF_Param_GROUP_START, name, id); }
inline PF_ParamDef groupEndDef(A_long id) { return paramDef(PF_Param_GROUP_END, "", id); }

}  // namespace aehost::testing
