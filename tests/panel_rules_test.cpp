// The panel greys out what the current switches make irrelevant, through either version of
// the host's parameter-utilities suite.
#include <set>
#include <string>

#include "AE_EffectCBSuites.h"
#include "support/InklineFixture.h"

namespace {

using ::testing::IsEmpty;

class PanelRulesTest : public InklineTest {
protected:
  void SetUp() override {
    ASSERT_EQ(effect.globalSetup().err, PF_Err_NONE);
    ASSERT_EQ(effect.paramsSetup().err, PF_Err_NONE);
  }

  PF_ParamIndex index(const char* name) { return effect.parameters().indexOf(name); }
  void set(const char* name, bool on) { effect.parameters().setCheckbox(index(name), on); }

  std::set<std::string> greyed() {
    std::set<std::string> names;
    for (const aehost::RegisteredParam& p : effect.parameters().added()) {
      if (effect.parameters().isDisabled(p.index)) names.insert(p.def.name);
    }
    return names;
  }
};

const std::set<std::string> kCopy = {"Copy Number", "Copy Random", "Copy Offset X", "Copy Offset Y"};
const std::set<std::string> kWave = {"Wave Amount", "Wave Length", "Wave Phase", "Wave Tangent Length",
                                     "Round Corners", "Wave Amount Random", "Wave Length Random",
                                     "Alternate Wave", "Loop Buffer"};
const std::set<std::string> kGradation = {"Use Center Color", "Start Color", "End Color", "Center Position"};
const std::set<std::string> kOpacity = {"Start Opacity", "End Opacity", "Opacity Center Position"};
const std::set<std::string> kInOut = {"Start Thickness", "End Thickness", "Start Length", "End Length",
                                      "Start Bias", "End Bias", "S/E Length Inhibition", "Fixed Ends Shape"};

std::set<std::string> unite(std::initializer_list<std::set<std::string>> sets) {
  std::set<std::string> all;
  for (const auto& s : sets) all.insert(s.begin(), s.end());
  return all;
}

TEST_F(PanelRulesTest, DefaultsGreyTheUnusedGroups) {
  ASSERT_EQ(effect.updateParamsUI().err, PF_Err_NONE);
  EXPECT_EQ(greyed(), unite({{"Target Path"}, kOpacity, kCopy, kWave, kGradation}));
}

TEST_F(PanelRulesTest, EachSwitchEnablesItsControls) {
  struct Toggle {
    const char* name;
    bool value;
    std::set<std::string> expected;
  };
  const Toggle toggles[] = {
      // "Use All Paths" off: the target path chooser instead of the chain switch.
      {"Use All Paths", false, unite({{"Stroke Sequentially"}, kOpacity, kCopy, kWave, kGradation})},
      {"Loop", false, unite({{"Target Path", "Loop Interval"}, kOpacity, kCopy, kWave, kGradation})},
      // The opacity sliders follow their own switch, not "Enable In/Out".
      {"Enable In/Out", false, unite({{"Target Path"}, kInOut, kOpacity, kCopy, kWave, kGradation})},
      {"Use Start/End Opacity", true, unite({{"Target Path"}, kCopy, kWave, kGradation})},
      {"Enable Copy Stroke", true, unite({{"Target Path"}, kOpacity, kWave, kGradation})},
      {"Enable Wave", true, unite({{"Target Path"}, kOpacity, kCopy, kGradation})},
      {"Enable Gradation Stroke", true, unite({{"Target Path"}, kOpacity, kCopy, kWave})},
  };
  for (const Toggle& t : toggles) {
    SCOPED_TRACE(t.name);
    set(t.name, t.value);
    ASSERT_EQ(effect.updateParamsUI().err, PF_Err_NONE);
    EXPECT_EQ(greyed(), t.expected);
    set(t.name, !t.value);
  }
}

TEST_F(PanelRulesTest, OlderHostsUseVersionTwoOfTheSuite) {
  host.options().specVersion = PF_SpecVersion{13, 1};
  host.suites().refuse(kPFParamUtilsSuite, 3, kSPSuiteNotFoundError);
  ASSERT_EQ(effect.updateParamsUI().err, PF_Err_NONE);
  EXPECT_EQ(greyed(), unite({{"Target Path"}, kOpacity, kCopy, kWave, kGradation}));
  EXPECT_EQ(host.suites().acquireCount(kPFParamUtilsSuite, 2), 1);
}

TEST_F(PanelRulesTest, AMissingSuiteIsAnUnknownError) {
  host.suites().refuse(kPFParamUtilsSuite, 3, kSPSuiteNotFoundError);
  const aehost::CommandResult result = effect.updateParamsUI();
  EXPECT_EQ(result.err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(result.message, "\xE4\xB8\x8D\xE6\x98\x8E\xE3\x81\xAA\xE3\x82\xA8\xE3\x83\xA9\xE3\x83\xBC");
  EXPECT_THAT(effect.parameters().uiUpdates(), IsEmpty());
}

TEST_F(PanelRulesTest, EveryRuleUpdatesEachControlItNames) {
  ASSERT_EQ(effect.updateParamsUI().err, PF_Err_NONE);
  EXPECT_EQ(effect.parameters().uiUpdates().size(), 1u + 1 + 1 + 8 + 4 + 4 + 9 + 3);
}

}  // namespace
