// Parameter registration at PF_Cmd_PARAMS_SETUP and the params[] array, through the probe.
#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "aehost/CallbackTables.h"
#include "aehost/CommandNames.h"
#include "aehost/EffectInstance.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"
#include "aehost/PluginModule.h"
#include "aehost_testing/ParamDefs.h"
#include "aehost_testing/ProbeModule.h"
#include "support/ProbeFixture.h"
#include "support/ProblemText.h"

namespace {

using namespace aehost;
using namespace aehost::testing;

class HostParams : public ProbeTest {
 protected:
  // Size (slider), Opacity (float slider), Mode (popup).
  void applyThree() {
    script({sliderDef("Size", 10, 101), floatSliderDef("Opacity", 0.5, 102), popupDef("Mode", "A|B|C", 3, 2, 103)});
    ASSERT_EQ(instance.globalSetup().err, PF_Err_NONE);
    ASSERT_EQ(instance.paramsSetup().err, PF_Err_NONE);
    ASSERT_EQ(instance.sequenceSetup().err, PF_Err_NONE);
  }
  void remove() {
    instance.sequenceSetdown();
    instance.globalSetdown();
  }
};

TEST_F(HostParams, KeepsEveryAddedDefinitionInOrderAfterTheInputLayer) {
  applyThree();
  EXPECT_EQ(instance.numParams(), 4);
  EXPECT_EQ(probe.lastIn.num_params, 4);

  const PF_ParamDef layer = params.definition(0);
  EXPECT_EQ(layer.param_type, PF_Param_LAYER);

  const auto added = params.added();
  ASSERT_EQ(added.size(), 3u);
  EXPECT_EQ(added[0].index, 1);
  EXPECT_STREQ(added[0].def.name, "Size");
  EXPECT_EQ(added[0].def.param_type, PF_Param_SLIDER);
  EXPECT_EQ(added[0].def.uu.id, 101);
  EXPECT_EQ(added[0].def.u.sd.valid_max, 1000);
  EXPECT_EQ(added[1].index, 2);
  EXPECT_EQ(added[1].def.param_type, PF_Param_FLOAT_SLIDER);
  EXPECT_EQ(added[2].index, 3);
  EXPECT_EQ(added[2].def.u.pd.num_choices, 3);

  EXPECT_EQ(params.find("Opacity"), 2);
  EXPECT_EQ(params.indexOf("Mode"), 3);
  EXPECT_EQ(params.find("opacity"), std::nullopt);  // exact names only
  EXPECT_THROW(params.indexOf("Nothing"), std::out_of_range);
  EXPECT_THROW(params.definition(4), std::out_of_range);
  remove();
  expectClean();
}

TEST_F(HostParams, ValuesStartAsRegistered) {
  applyThree();
  EXPECT_EQ(params.currentValue(1), ParamValue{SliderValue{10}});
  EXPECT_EQ(params.currentValue(2), ParamValue{FloatSliderValue{0.5}});
  EXPECT_EQ(params.currentValue(3), ParamValue{PopupValue{2}});
  EXPECT_EQ(params.currentValue(0), ParamValue{NoValue{}});
  remove();
}

TEST_F(HostParams, PointStartsAtItsDefaultShareOfTheLayerAndPathWithNoMask) {
  script({pointDef("Center", 50, 25, 1), pathDef("Mask", 1, 2)});
  instance.paramsSetup();
  EXPECT_EQ(params.currentValue(1), ParamValue(PointValue{960, 270}));
  EXPECT_EQ(params.currentValue(2), ParamValue(PathValue{PF_PathID_NONE}));
  expectClean();
}

TEST_F(HostParams, LabelsAreCopiedAtAddTime) {
  std::string choices = "One|Two";
  std::string label = "Enable";
  script({popupDef("Pick", choices.c_str(), 2, 1, 1), checkboxDef("Box", label.c_str(), true, 2)});
  instance.paramsSetup();
  choices.assign("XXXXXXX");
  label.assign("XXXXXX");
  EXPECT_STREQ(params.definition(1).u.pd.u.namesptr, "One|Two");
  EXPECT_STREQ(params.definition(2).u.bd.u.nameptr, "Enable");
  EXPECT_STREQ(params.definitionAt(2, 0).u.bd.u.nameptr, "Enable");
  expectClean();
}

TEST_F(HostParams, AddParamFaultFailsTheNthCallAndSetupFails) {
  script({sliderDef("A", 1, 1), sliderDef("B", 2, 2), sliderDef("C", 3, 3)});
  params.failNthAddParam(2, PF_Err_OUT_OF_MEMORY);
  const CommandResult result = instance.paramsSetup();
  EXPECT_EQ(result.err, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(probe.addedCount, 1);
  EXPECT_EQ(params.count(), 2);
  expectClean();  // a failed setup's num_params is not compared

  const CommandResult again = instance.paramsSetup();  // the fault fired once
  EXPECT_EQ(again.err, PF_Err_NONE);
  EXPECT_EQ(params.count(), 4);
  expectClean();
}

TEST_F(HostParams, NumParamsDifferentFromWhatWasAddedIsAProblem) {
  script({sliderDef("A", 1, 1), sliderDef("B", 2, 2)});
  probe.reportedNumParams = 2;
  EXPECT_EQ(instance.paramsSetup().err, PF_Err_NONE);
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "[PF_Cmd_PARAMS_SETUP] out_data->num_params is 2")) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "3 with the input layer")) << joined(problems);
}

TEST_F(HostParams, ParamsSetupStartsOver) {
  script({sliderDef("A", 1, 1), sliderDef("B", 2, 2)});
  instance.paramsSetup();
  script({sliderDef("Only", 1, 1)});
  instance.paramsSetup();
  EXPECT_EQ(params.count(), 2);
  EXPECT_EQ(params.find("B"), std::nullopt);
  expectClean();
}

TEST_F(HostParams, HostTakesOverAnArbitraryDataDefault) {
  const PF_Handle dephault = host.handles().create(16, HandleOwner::Effect);
  PF_ParamDef arb = paramDef(PF_Param_ARBITRARY_DATA, "Curve", 7);
  arb.u.arb_d.dephault = dephault;
  {
    EffectInstance other{host, module};
    script({arb});
    ASSERT_EQ(other.paramsSetup().err, PF_Err_NONE);
    EXPECT_EQ(host.handles().info(dephault)->owner, HandleOwner::Host);
    EXPECT_EQ(other.parameters().currentValue(1), ParamValue{NoValue{}});
    expectClean();
  }
  EXPECT_FALSE(host.handles().isLive(dephault));  // disposed with the instance
  expectClean();
}

TEST_F(HostParams, ExplicitIndexMustBeTheNextOne) {
  script({sliderDef("A", 1, 1)});
  probe.addIndex = 1;  // the next index: appended
  EXPECT_EQ(instance.paramsSetup().err, PF_Err_NONE);
  EXPECT_EQ(params.count(), 2);
  expectClean();

  probe.addIndex = 5;
  EXPECT_EQ(instance.paramsSetup().err, PF_Err_INVALID_INDEX);
  EXPECT_TRUE(anyContains(host.problems(), "inter.add_param: index 5")) << joined(host.problems());
}

TEST_F(HostParams, AddParamOutsideParamsSetupIsAProblem) {
  instance.paramsSetup();
  const PF_InteractCallbacks inter = makeInteractCallbacks();
  PF_ParamDef def = sliderDef("Late", 1, 1);
  const HostScope scope(host, "PF_Cmd_RENDER", instance.effectRef());
  EXPECT_EQ(inter.add_param(instance.effectRef(), -1, &def), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(params.count(), 1);
  EXPECT_TRUE(anyContains(host.problems(), "[PF_Cmd_RENDER] inter.add_param: parameters are added only during"))
      << joined(host.problems());
}

TEST_F(HostParams, ParamsArrayHoldsValuesAtTheCurrentTime) {
  applyThree();
  params.setKeyframes(1, {{0, SliderValue{0}}, {24, SliderValue{48}}});
  instance.setCurrentTime(12);
  instance.updateParamsUI();

  ASSERT_TRUE(probe.sawParams);
  ASSERT_EQ(probe.seenParamCount, 4);
  EXPECT_EQ(probe.seenParams[0].param_type, PF_Param_LAYER);
  EXPECT_STREQ(probe.seenParams[1].name, "Size");
  EXPECT_EQ(probe.seenParams[1].u.sd.value, 24);
  EXPECT_EQ(probe.seenParams[1].u.sd.valid_max, 1000);  // the full definition
  EXPECT_EQ(probe.seenParams[2].u.fs_d.value, 0.5);
  EXPECT_EQ(probe.seenParams[3].u.pd.value, 2);
  EXPECT_STREQ(probe.seenParams[3].u.pd.u.namesptr, "A|B|C");
  remove();
  expectClean();
}

TEST_F(HostParams, OnlyTheCommandsThatCarryParamsGetThem) {
  applyThree();
  for (const PF_Cmd cmd : {PF_Cmd_DO_DIALOG, PF_Cmd_FRAME_SETUP, PF_Cmd_RENDER, PF_Cmd_FRAME_SETDOWN,
                           PF_Cmd_UPDATE_PARAMS_UI, PF_Cmd_EVENT, PF_Cmd_ARBITRARY_CALLBACK, PF_Cmd_AUDIO_RENDER}) {
    instance.send(cmd);
    EXPECT_TRUE(probe.sawParams) << commandName(cmd);
  }
  instance.userChangedParam(2);
  EXPECT_TRUE(probe.sawParams);
  for (const PF_Cmd cmd : {PF_Cmd_ABOUT, PF_Cmd_QUERY_DYNAMIC_FLAGS, PF_Cmd_SMART_PRE_RENDER, PF_Cmd_SMART_RENDER,
                           PF_Cmd_SEQUENCE_FLATTEN, PF_Cmd_SEQUENCE_RESETUP, PF_Cmd_GET_FLATTENED_SEQUENCE_DATA}) {
    instance.send(cmd);
    EXPECT_FALSE(probe.sawParams) << commandName(cmd);
  }
  remove();
  expectClean();
}

TEST_F(HostParams, ChangesToTheArrayAreIgnored) {
  applyThree();
  probe.scribbleAt = PF_Cmd_UPDATE_PARAMS_UI;
  instance.updateParamsUI();
  EXPECT_EQ(params.currentValue(1), ParamValue{SliderValue{10}});
  EXPECT_EQ(params.uiFlags(1), PF_PUI_NONE);

  probe.scribbleAt = kNoCommand;
  instance.updateParamsUI();
  EXPECT_EQ(probe.seenParams[1].u.sd.value, 10);
  EXPECT_EQ(probe.seenParams[2].u.fs_d.value, 0.5);
  EXPECT_EQ(probe.seenParams[1].ui_flags, PF_PUI_NONE);
  remove();
  expectClean();
}

TEST_F(HostParams, ValuesMarkedChangedAtUserChangedParamAreNotYetTakenBack) {
  applyThree();
  probe.markChangedAt = PF_Cmd_USER_CHANGED_PARAM;
  instance.userChangedParam(1);
  EXPECT_EQ(params.currentValue(1), ParamValue{SliderValue{10}});
  EXPECT_TRUE(anyContains(host.problems(), "[PF_Cmd_USER_CHANGED_PARAM] not yet simulated: taking back params[1]"))
      << joined(host.problems());

  host.clearRecordedProblems();
  probe.markChangedAt = PF_Cmd_UPDATE_PARAMS_UI;  // not a command where they are taken back
  instance.updateParamsUI();
  remove();
  expectClean();
}

}  // namespace
