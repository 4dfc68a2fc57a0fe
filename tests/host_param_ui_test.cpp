// "PF Param Utils Suite": PF_UpdateParamUI through versions 3 and 2, the rest unsimulated.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AE_EffectCBSuites.h"
#include "aehost/CallbackTables.h"
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

class HostParamUi : public ProbeTest {
 protected:
  void SetUp() override {
    probe.paramsToAdd[0] = sliderDef("Size", 10, 101);
    probe.paramsToAdd[1] = checkboxDef("Fancy", "on", false, 102);
    probe.paramsToAdd[1].ui_flags = PF_PUI_STD_CONTROL_ONLY;
    probe.paramsToAddCount = 2;
    ASSERT_EQ(instance.paramsSetup().err, PF_Err_NONE);
  }

  void disableSizeThrough(int suiteVersion) {
    probe.updateUiAt = PF_Cmd_UPDATE_PARAMS_UI;
    probe.updateUiSuiteVersion = suiteVersion;
    probe.updateUiIndex = 1;
    probe.updateUiFlags = PF_PUI_DISABLED;
    instance.updateParamsUI();
  }
};

TEST_F(HostParamUi, BothVersionsAreServedByDefault) {
  EXPECT_TRUE(host.suites().has(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3));
  EXPECT_TRUE(host.suites().has(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion1));
  EXPECT_EQ(kPFParamUtilsSuiteVersion1, 2);
}

TEST_F(HostParamUi, UiFlagsStartAsRegistered) {
  EXPECT_EQ(params.uiFlags(1), PF_PUI_NONE);
  EXPECT_EQ(params.uiFlags(2), PF_PUI_STD_CONTROL_ONLY);
  EXPECT_FALSE(params.isDisabled(1));
  EXPECT_TRUE(params.uiUpdates().empty());
}

TEST_F(HostParamUi, UpdateThroughVersion3SetsTheFlagsLaterCommandsSee) {
  disableSizeThrough(kPFParamUtilsSuiteVersion3);
  EXPECT_EQ(probe.updateUiAcquireErr, kSPNoError);
  EXPECT_EQ(probe.updateUiErr, PF_Err_NONE);
  EXPECT_TRUE(params.isDisabled(1));
  EXPECT_EQ(params.uiFlags(1), PF_PUI_DISABLED);
  const auto log = params.uiUpdates();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].index, 1);
  EXPECT_EQ(log[0].uiFlags, PF_PUI_DISABLED);
  EXPECT_EQ(log[0].during, "PF_Cmd_UPDATE_PARAMS_UI");

  probe.updateUiAt = kNoCommand;
  instance.doDialog();
  EXPECT_EQ(probe.seenParams[1].ui_flags, PF_PUI_DISABLED);
  EXPECT_EQ(probe.seenParams[2].ui_flags, PF_PUI_STD_CONTROL_ONLY);
  EXPECT_EQ(params.definitionAt(1, 0).ui_flags, PF_PUI_DISABLED);
  EXPECT_EQ(params.definition(1).ui_flags, PF_PUI_NONE);  // as added
  expectClean();
}

TEST_F(HostParamUi, UpdateThroughVersion2DoesTheSame) {
  disableSizeThrough(kPFParamUtilsSuiteVersion1);
  EXPECT_EQ(probe.updateUiErr, PF_Err_NONE);
  EXPECT_TRUE(params.isDisabled(1));
  EXPECT_EQ(host.suites().acquireCount(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion1), 1);
  EXPECT_EQ(host.suites().acquireCount(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3), 0);

  probe.updateUiFlags = PF_PUI_NONE;  // and enable it again
  instance.updateParamsUI();
  EXPECT_FALSE(params.isDisabled(1));
  EXPECT_EQ(params.uiUpdates().size(), 2u);
  expectClean();
}

TEST_F(HostParamUi, PassingTheParamsEntryItselfIsAProblem) {
  probe.updateUiWithOriginal = true;
  disableSizeThrough(kPFParamUtilsSuiteVersion3);
  EXPECT_TRUE(params.isDisabled(1));
  EXPECT_TRUE(anyContains(host.problems(), "[PF_Cmd_UPDATE_PARAMS_UI] PF_UpdateParamUI: given params[1] itself"))
      << joined(host.problems());
}

TEST_F(HostParamUi, RefusedSuiteChangesNothing) {
  host.suites().refuse(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3, kSPSuiteNotFoundError);
  disableSizeThrough(kPFParamUtilsSuiteVersion3);
  EXPECT_EQ(probe.updateUiAcquireErr, kSPSuiteNotFoundError);
  EXPECT_FALSE(params.isDisabled(1));
}

TEST_F(HostParamUi, RemovedSuiteIsNotFound) {
  host.suites().remove(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion1);
  disableSizeThrough(kPFParamUtilsSuiteVersion1);
  EXPECT_NE(probe.updateUiAcquireErr, kSPNoError);
  EXPECT_FALSE(params.isDisabled(1));
}

TEST_F(HostParamUi, InvalidIndexOrNullDefinition) {
  const HostScope scope(host, "PF_Cmd_USER_CHANGED_PARAM", instance.effectRef());
  PF_ParamDef def = params.definition(1);
  const PF_ParamUtilsSuite3& suite = paramUtilsSuite3();
  EXPECT_EQ(suite.PF_UpdateParamUI(instance.effectRef(), 3, &def), PF_Err_INVALID_INDEX);
  EXPECT_EQ(suite.PF_UpdateParamUI(instance.effectRef(), -1, &def), PF_Err_INVALID_INDEX);
  EXPECT_TRUE(params.uiUpdates().empty());
  expectClean();
  EXPECT_EQ(suite.PF_UpdateParamUI(instance.effectRef(), 1, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(anyContains(host.problems(), "PF_UpdateParamUI: NULL definition")) << joined(host.problems());
}

TEST_F(HostParamUi, OtherMembersAreBadCallsRecordedAsNotYetSimulated) {
  const HostScope scope(host, "PF_Cmd_RENDER", instance.effectRef());
  PF_KeyIndex count = 0;
  EXPECT_EQ(paramUtilsSuite3().PF_GetKeyframeCount(instance.effectRef(), 1, &count), PF_Err_BAD_CALLBACK_PARAM);
  PF_State state{};
  EXPECT_EQ(paramUtilsSuite1().PF_GetCurrentState(instance.effectRef(), &state), PF_Err_BAD_CALLBACK_PARAM);
  const auto problems = host.problems();
  EXPECT_EQ(problems.size(), 2u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "not yet simulated: paramUtils3.PF_GetKeyframeCount")) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "not yet simulated: paramUtils1.PF_GetCurrentState")) << joined(problems);
}

}  // namespace
