// The kinds of parameter the effect shows. Each fills its host definition in addToHost,
// taking its default from the settings file when one is given, and writes its current value
// back in storeDefault.
#pragma once

#include "params/BaseParam.h"
#include "params/RecordField.h"

// A parameter whose value the host delivers as a `Value`; it can only be bound to a record
// field of that same type.
template <typename ValueType>
class RecordedParam : public BaseParam {
public:
  using Value = ValueType;
  RecordedParam(RecordField<Value> field, const char* name, const PF_ParamDef* tmpl)
      : BaseParam(field.offset, field.size, name, tmpl) {}
};

class ParamAddSlider final : public RecordedParam<A_long> {
public:
  using RecordedParam::RecordedParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
  void storeDefault(PF_InData* in_data, const char* settingsPath) override;
  void holdToValidRange(PF_ParamDef& value) const override;

  A_long validMin = 0, validMax = 0, sliderMin = 0, sliderMax = 0, defaultValue = 0;
};

class ParamAddFloatSlider final : public RecordedParam<PF_FpLong> {
public:
  using RecordedParam::RecordedParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
  void storeDefault(PF_InData* in_data, const char* settingsPath) override;
  void holdToValidRange(PF_ParamDef& value) const override;

  PF_FpShort validMin = 0, validMax = 0, sliderMin = 0, sliderMax = 0, defaultValue = 0;
  A_short precision = 0;
  A_short displayFlags = 0;
  A_long wantPhase = 0;
};

class ParamAddAngle final : public RecordedParam<PF_Fixed> {
public:
  using RecordedParam::RecordedParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
  void storeDefault(PF_InData* in_data, const char* settingsPath) override;

  PF_Fixed defaultValue = 0;  // degrees, 16.16
};

// The record keeps the low byte of the host's 32-bit value, all a box needs.
class ParamAddCheckbox final : public RecordedParam<A_u_char> {
public:
  using RecordedParam::RecordedParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
  void storeDefault(PF_InData* in_data, const char* settingsPath) override;

  const char* label = "";  // shown beside the box
  A_char defaultValue = 0;
  PF_ParamFlags extraFlags = 0;
};

class ParamAddColor final : public RecordedParam<PF_Pixel> {
public:
  using RecordedParam::RecordedParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
  void storeDefault(PF_InData* in_data, const char* settingsPath) override;

  PF_Pixel defaultColor{};
};

// A mask chooser; its value is the host's PF_PathID of the chosen mask.
class ParamAddPath final : public RecordedParam<PF_PathID> {
public:
  using RecordedParam::RecordedParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;

  A_long defaultPath = 0;  // 0: no mask
};

class ParamAddTopic final : public BaseParam {
public:
  ParamAddTopic(const char* name, const PF_ParamDef* tmpl) : BaseParam(0, 0, name, tmpl) {}
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
};

class ParamEndTopic final : public BaseParam {
public:
  ParamEndTopic(const char* name, const PF_ParamDef* tmpl) : BaseParam(0, 0, name, tmpl) {}
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
};
