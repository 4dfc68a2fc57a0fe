// The kinds of parameter the effect shows. Each fills its host definition in addToHost,
// taking its default from the settings file when one is given, and writes its current value
// back in storeDefault.
#pragma once

#include "params/BaseParam.h"

class ParamAddSlider final : public BaseParam {
public:
  using BaseParam::BaseParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
  void storeDefault(PF_InData* in_data, const char* settingsPath) override;

  A_long validMin = 0, validMax = 0, sliderMin = 0, sliderMax = 0, defaultValue = 0;
};

class ParamAddFloatSlider final : public BaseParam {
public:
  using BaseParam::BaseParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
  void storeDefault(PF_InData* in_data, const char* settingsPath) override;

  PF_FpShort validMin = 0, validMax = 0, sliderMin = 0, sliderMax = 0, defaultValue = 0;
  A_short precision = 0;
  A_short displayFlags = 0;
  A_long wantPhase = 0;
};

class ParamAddAngle final : public BaseParam {
public:
  using BaseParam::BaseParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
  void storeDefault(PF_InData* in_data, const char* settingsPath) override;

  PF_Fixed defaultValue = 0;  // degrees, 16.16
};

class ParamAddCheckbox final : public BaseParam {
public:
  using BaseParam::BaseParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
  void storeDefault(PF_InData* in_data, const char* settingsPath) override;

  const char* label = "";  // shown beside the box
  A_char defaultValue = 0;
  PF_ParamFlags extraFlags = 0;
};

class ParamAddColor final : public BaseParam {
public:
  using BaseParam::BaseParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
  void storeDefault(PF_InData* in_data, const char* settingsPath) override;

  PF_Pixel defaultColor{};
};

// A mask chooser; its value is the host's PF_PathID of the chosen mask.
class ParamAddPath final : public BaseParam {
public:
  using BaseParam::BaseParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;

  A_long defaultPath = 0;  // 0: no mask
};

class ParamAddTopic final : public BaseParam {
public:
  using BaseParam::BaseParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
};

class ParamEndTopic final : public BaseParam {
public:
  using BaseParam::BaseParam;
  PF_Err addToHost(PF_InData* in_data, A_long id, const char* settingsPath) override;
};
