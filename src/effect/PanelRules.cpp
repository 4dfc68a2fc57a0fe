// Greys out the controls that the current switches make irrelevant. Nothing is hidden and
// no value changes.
#include <array>
#include <initializer_list>

#include "effect/ParamIds.h"
#include "effect/ParamUtilsAdapter.h"
#include "framework/EffectHooks.h"
#include "params/ParamRegistry.h"

namespace {

struct PanelRule {
  A_long controller;                 // a checkbox
  bool enabledWhenOn;                // whether "on" (value 1) enables or greys the others
  std::initializer_list<A_long> affected;
};

const std::array<PanelRule, 8>& panelRules() {
  using namespace ParamId;
  static const std::array<PanelRule, 8> rules = {{
      {UseAllPaths, false, {TargetPath}},
      {UseAllPaths, true, {StrokeSequentially}},
      {Loop, true, {LoopInterval}},
      {EnableInOut, true,
       {StartThickness, StartLength, StartBias, EndThickness, EndLength, EndBias, LengthInhibition, FixedEndsShape}},
      {EnableCopyStroke, true, {CopyNumber, CopyRandom, CopyOffsetX, CopyOffsetY}},
      {EnableGradation, true, {UseCenterColor, StartColor, EndColor, CenterPosition}},
      {EnableWave, true,
       {WaveAmount, WaveLength, WavePhase, WaveTangentLength, RoundCorners, WaveAmountRandom, WaveLengthRandom,
        AlternateWave, LoopBuffer}},
      {UseStartEndOpacity, true, {StartOpacity, EndOpacity, OpacityCenterPosition}},
  }};
  return rules;
}

// Sends the host a copy of each definition with only the disabled flag changed. A failed
// update leaves that one control as it was; the others are still updated.
void setEnabled(const ParamUtilsAdapter& utils, const PF_InData* in_data, PF_ParamDef* params[],
                std::initializer_list<A_long> ids, bool enabled) {
  const ParamRegistry& registry = ParamRegistry::instance();
  for (A_long id : ids) {
    const PF_ParamIndex index = registry.indexOfId(id);
    if (index == 0) continue;
    PF_ParamDef copy = *params[index];
    if (enabled) {
      copy.ui_flags &= ~PF_PUI_DISABLED;
    } else {
      copy.ui_flags |= PF_PUI_DISABLED;
    }
    utils.updateParamUI(in_data->effect_ref, index, &copy);
  }
}

}  // namespace

PF_Err updateParameterPanel(PF_InData* in_data, PF_ParamDef* params[]) {
  const ParamUtilsAdapter utils(in_data);
  const ParamRegistry& registry = ParamRegistry::instance();
  for (const PanelRule& rule : panelRules()) {
    const PF_ParamIndex controller = registry.indexOfId(rule.controller);
    if (controller == 0) continue;
    const bool on = params[controller]->u.bd.value == 1;
    setEnabled(utils, in_data, params, rule.affected, on == rule.enabledWhenOn);
  }
  return PF_Err_NONE;
}
