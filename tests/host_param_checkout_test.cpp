// inter.checkout_param / inter.checkin_param: values at other times, balance, the audit.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "aehost/CallbackTables.h"
#include "aehost/CheckoutLedger.h"
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

class HostParamCheckout : public ProbeTest {
 protected:
  const PF_InteractCallbacks inter = makeInteractCallbacks();

  void SetUp() override {
    probe.paramsToAdd[0] = sliderDef("Size", 10, 101);
    probe.paramsToAdd[1] = floatSliderDef("Mix", 0, 102);
    probe.paramsToAddCount = 2;
    ASSERT_EQ(instance.paramsSetup().err, PF_Err_NONE);
    params.setKeyframes(2, {{0, FloatSliderValue{0}}, {24, FloatSliderValue{1}}});
  }
};

TEST_F(HostParamCheckout, GivesTheFullDefinitionWithTheValueAtTheTimeAsked) {
  probe.checkoutAt = PF_Cmd_RENDER;
  probe.checkoutIndex = 2;
  probe.checkoutTime = 750;  // 0.75 s in milliseconds: composition tick 18
  probe.checkoutTimeScale = 1000;
  instance.send(PF_Cmd_RENDER);

  EXPECT_EQ(probe.checkoutErr, PF_Err_NONE);
  const PF_ParamDef& def = probe.checkedOut;
  EXPECT_EQ(def.param_type, PF_Param_FLOAT_SLIDER);
  EXPECT_STREQ(def.name, "Mix");
  EXPECT_EQ(def.uu.id, 102);
  EXPECT_EQ(def.u.fs_d.valid_max, 1000);
  EXPECT_DOUBLE_EQ(def.u.fs_d.value, 0.75);
  EXPECT_EQ(probe.checkinErr, PF_Err_NONE);
  EXPECT_TRUE(params.outstandingCheckouts().empty());
  expectClean();
}

TEST_F(HostParamCheckout, IndexZeroIsTheInputLayer) {
  probe.checkoutAt = PF_Cmd_RENDER;
  probe.checkoutIndex = 0;
  instance.send(PF_Cmd_RENDER);
  EXPECT_EQ(probe.checkoutErr, PF_Err_NONE);
  EXPECT_EQ(probe.checkedOut.param_type, PF_Param_LAYER);
  expectClean();
}

TEST_F(HostParamCheckout, ShowsTheCurrentUiFlags) {
  PF_ParamDef update = params.definition(1);
  update.ui_flags = PF_PUI_DISABLED;
  {
    const HostScope scope(host, "PF_Cmd_UPDATE_PARAMS_UI", instance.effectRef());
    ASSERT_EQ(paramUtilsSuite3().PF_UpdateParamUI(instance.effectRef(), 1, &update), PF_Err_NONE);
  }
  probe.checkoutAt = PF_Cmd_RENDER;
  probe.checkoutIndex = 1;
  instance.send(PF_Cmd_RENDER);
  EXPECT_EQ(probe.checkedOut.ui_flags, PF_PUI_DISABLED);
  EXPECT_EQ(probe.checkedOut.u.sd.value, 10);
  expectClean();
}

TEST_F(HostParamCheckout, MissingCheckinIsReportedNamingParameterAndCommand) {
  probe.checkoutAt = PF_Cmd_RENDER;
  probe.checkoutIndex = 1;
  probe.skipCheckin = true;
  instance.send(PF_Cmd_RENDER);

  const auto open = params.outstandingCheckouts();
  ASSERT_EQ(open.size(), 1u);
  EXPECT_EQ(open[0].index, 1);
  EXPECT_EQ(open[0].during, "PF_Cmd_RENDER");
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u) << joined(problems);
  EXPECT_EQ(problems[0], "[PF_Cmd_RENDER] parameter 1 \"Size\" was checked out and never checked in");

  // A late checkin still balances it.
  const HostScope scope(host, "PF_Cmd_SMART_RENDER", instance.effectRef());
  EXPECT_EQ(inter.checkin_param(instance.effectRef(), &probe.checkedOut), PF_Err_NONE);
  expectClean();
}

TEST_F(HostParamCheckout, CheckinOfACopyMatchesTheParameter) {
  probe.checkoutAt = PF_Cmd_RENDER;
  probe.checkoutIndex = 2;
  probe.checkinCopy = true;
  instance.send(PF_Cmd_RENDER);
  EXPECT_EQ(probe.checkinErr, PF_Err_NONE);
  expectClean();
}

TEST_F(HostParamCheckout, CheckinWithoutCheckoutIsAProblem) {
  const HostScope scope(host, "PF_Cmd_RENDER", instance.effectRef());
  PF_ParamDef def = params.definition(1);
  EXPECT_EQ(inter.checkin_param(instance.effectRef(), &def), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(anyContains(host.problems(), "[PF_Cmd_RENDER] inter.checkin_param: no checkout of \"Size\""))
      << joined(host.problems());
}

TEST_F(HostParamCheckout, CheckingInTwiceIsAProblem) {
  const HostScope scope(host, "PF_Cmd_RENDER", instance.effectRef());
  PF_ParamDef def{};
  ASSERT_EQ(inter.checkout_param(instance.effectRef(), 1, 0, 1, 24, &def), PF_Err_NONE);
  EXPECT_EQ(inter.checkin_param(instance.effectRef(), &def), PF_Err_NONE);
  EXPECT_EQ(inter.checkin_param(instance.effectRef(), &def), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(host.problems().size(), 1u) << joined(host.problems());
}

TEST_F(HostParamCheckout, InvalidIndexLeavesTheDefinitionAlone) {
  const HostScope scope(host, "PF_Cmd_RENDER", instance.effectRef());
  PF_ParamDef def;
  std::memset(&def, 0x77, sizeof def);
  const PF_ParamDef before = def;
  EXPECT_EQ(inter.checkout_param(instance.effectRef(), 3, 0, 1, 24, &def), PF_Err_INVALID_INDEX);
  EXPECT_EQ(inter.checkout_param(instance.effectRef(), -1, 0, 1, 24, &def), PF_Err_INVALID_INDEX);
  EXPECT_EQ(std::memcmp(&def, &before, sizeof def), 0);
  // Checking in after a failed checkout is allowed, as is not doing so.
  EXPECT_EQ(inter.checkin_param(instance.effectRef(), &def), PF_Err_NONE);
  expectClean();
}

TEST_F(HostParamCheckout, FaultFailsTheNthCheckoutWithTheGivenError) {
  params.failNthCheckout(2, PF_Err_OUT_OF_MEMORY);
  const HostScope scope(host, "PF_Cmd_RENDER", instance.effectRef());
  PF_ParamDef first{};
  PF_ParamDef second{};
  EXPECT_EQ(inter.checkout_param(instance.effectRef(), 1, 0, 1, 24, &first), PF_Err_NONE);
  EXPECT_EQ(inter.checkout_param(instance.effectRef(), 2, 0, 1, 24, &second), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(second.param_type, PF_Param_LAYER);  // untouched: still zero
  EXPECT_EQ(inter.checkin_param(instance.effectRef(), &first), PF_Err_NONE);
  EXPECT_TRUE(params.outstandingCheckouts().empty());
  expectClean();
}

TEST_F(HostParamCheckout, FailedCheckoutThroughTheProbeNeedsNoCheckin) {
  params.failNthCheckout(1, PF_Err_INTERNAL_STRUCT_DAMAGED);
  probe.checkoutAt = PF_Cmd_RENDER;
  probe.skipCheckin = true;
  instance.send(PF_Cmd_RENDER);
  EXPECT_EQ(probe.checkoutErr, PF_Err_INTERNAL_STRUCT_DAMAGED);
  expectClean();
}

TEST_F(HostParamCheckout, WrongEffectRefOrTimeScaleIsAProblem) {
  const HostScope scope(host, "PF_Cmd_RENDER", instance.effectRef());
  PF_ParamDef def{};
  EXPECT_EQ(inter.checkout_param(nullptr, 1, 0, 1, 24, &def), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(inter.checkout_param(instance.effectRef(), 1, 0, 1, 0, &def), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(inter.checkout_param(instance.effectRef(), 1, 0, 1, 24, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  const auto problems = host.problems();
  EXPECT_EQ(problems.size(), 3u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "effect_ref is not the one passed in in_data")) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "time_scale 0")) << joined(problems);
}

TEST_F(HostParamCheckout, OutsideAnyScopeFailsSafely) {
  PF_ParamDef def{};
  EXPECT_EQ(inter.checkout_param(instance.effectRef(), 1, 0, 1, 24, &def), PF_Err_BAD_CALLBACK_PARAM);
  expectClean();
}

TEST(HostParamCheckoutLifetime, InstanceRemovedWithACheckoutOpenLeavesAProblem) {
  Host host;
  PluginModule module{probeEffectPath()};
  ProbeControl& probe = probeControl(module);
  probe.paramsToAdd[0] = sliderDef("Size", 1, 1);
  probe.paramsToAddCount = 1;
  probe.checkoutAt = PF_Cmd_RENDER;
  probe.skipCheckin = true;
  {
    EffectInstance instance{host, module};
    instance.paramsSetup();
    instance.send(PF_Cmd_RENDER);
  }
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "parameter 1 \"Size\" was checked out and never checked in")) << joined(problems);
}

}  // namespace

namespace {

TEST(CheckoutLedger, ACopyClosesASuccessfulCheckoutBeforeAFailedOne) {
  aehost::CheckoutLedger ledger;
  PF_ParamDef done{};
  PF_ParamDef failed{};
  PF_ParamDef copy{};
  ledger.open({1, &done, "PF_Cmd_RENDER", false});
  ledger.open({1, &failed, "PF_Cmd_RENDER", true});
  const auto closed = ledger.close(&copy, [](PF_ParamIndex index) { return index == 1; });
  ASSERT_TRUE(closed.has_value());
  EXPECT_EQ(closed->into, &done);
  EXPECT_TRUE(ledger.outstanding().empty());
  ledger.forgetFailed();
  EXPECT_FALSE(ledger.close(&failed, [](PF_ParamIndex) { return true; }).has_value());
}

}  // namespace
