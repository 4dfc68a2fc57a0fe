// Fault injection everywhere: a render (and every other command) repeated as many times as
// it makes host calls that can fail, failing the k-th call each time. Every time nothing is
// left checked out, locked or allocated, and the render either reports the error or, where
// the effect has a way round the failure (a suite it can do without), gives the whole frame.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/RenderFixture.h"
#include "win32standin/Desktop.h"

namespace {

using aehost::RenderPath;
using aehost::RenderResult;

struct SweepCase {
  int depth;
  RenderPath path;
  bool largeFrame = false;  // over 20 MiB: the layer is copied row by row as the strokes come
};

std::string caseName(const ::testing::TestParamInfo<SweepCase>& info) {
  return std::to_string(info.param.depth) + "bit" + (info.param.path == RenderPath::Smart ? "Smart" : "Classic") +
         (info.param.largeFrame ? "LargeFrame" : "");
}

class RenderFaultSweep : public RenderTest, public ::testing::WithParamInterface<SweepCase> {
 protected:
  // A scene with a little of everything and few strokes, so the sweep stays short.
  void buildSweepScene() {
    addCurve(10, 70, 80, -20, 150, 70);
    addPolyline({{20, 20}, {70, 40}, {130, 60}});
    setFloat("Thickness", 9);
    setCheckbox("Clear Background", false);
    setCheckbox("Enable Copy Stroke", true);
    setSlider("Copy Number", 1);
    setFloat("Thickness Random", 40);
    setCheckbox("Enable Wave", true);
    setFloat("Wave Amount", 3);
    setCheckbox("Enable Gradation Stroke", true);
    setSlider("Random Seed", 3);
  }
};

TEST_P(RenderFaultSweep, EveryFailedHostCallEndsTheRenderCleanly) {
  buildSweepScene();
  if (GetParam().largeFrame) effect.layer().setPixels(aehost::Image::filled(2400, 2200, PF_Pixel8{255, 200, 190, 180}));
  const auto before = host.failableHostCalls();
  const RenderResult whole = render(0, GetParam().depth, GetParam().path);
  ASSERT_TRUE(whole.ok()) << whole.message;
  const auto calls = host.failableHostCalls() - before;
  ASSERT_GT(calls, 10u);
  std::uint64_t failedRenders = 0;
  for (std::uint64_t k = 1; k <= calls; ++k) {
    host.failNthHostCall(static_cast<int>(k), PF_Err_OUT_OF_MEMORY);
    const RenderResult result = render(0, GetParam().depth, GetParam().path);
    host.failNthHostCall(0);
    failedRenders += result.ok() ? 0 : 1;
    const std::string failed = "failing host call " + std::to_string(k) + " of " + std::to_string(calls) + ", " +
                               host.lastInjectedFault();
    if (result.ok()) {
      const aehost::ImageDifference difference = aehost::compareImages(result.image, whole.image, 0);
      EXPECT_EQ(difference.differingPixels, 0u)
          << failed << ": first difference at " << aehost::describePixel(result.image, difference.firstX, difference.firstY)
          << " against " << aehost::describePixel(whole.image, difference.firstX, difference.firstY);
    }
    const auto problems = host.problems();
    EXPECT_THAT(problems, ::testing::IsEmpty()) << failed;
    host.clearRecordedProblems();
    if (HasFailure()) break;  // the first one tells
  }
  // Only a suite the effect can do without may fail unnoticed.
  EXPECT_GT(failedRenders, calls * 9 / 10);
}

INSTANTIATE_TEST_SUITE_P(DepthsAndPaths, RenderFaultSweep,
                         ::testing::Values(SweepCase{8, RenderPath::Smart}, SweepCase{16, RenderPath::Smart},
                                           SweepCase{32, RenderPath::Smart}, SweepCase{8, RenderPath::Classic},
                                           SweepCase{16, RenderPath::Classic}, SweepCase{8, RenderPath::Smart, true}),
                         caseName);

}  // namespace

namespace {

// The other commands that call the host, each on a fresh instance of the loaded module.
struct CommandSweep {
  const char* name;
  std::function<void(aehost::EffectInstance&)> before;  // run without faults
  std::function<aehost::CommandResult(aehost::EffectInstance&)> command;
};

class CommandFaultSweep : public RenderTest, public ::testing::WithParamInterface<CommandSweep> {
 protected:
  // The command on a new instance, its sequence data set down afterwards whatever happened.
  void runOnce(int failCall) {
    aehost::EffectInstance instance(host, module);
    GetParam().before(instance);
    host.failNthHostCall(failCall, PF_Err_OUT_OF_MEMORY);
    GetParam().command(instance);
    host.failNthHostCall(0);
    if (instance.sequenceData() != nullptr) instance.sequenceSetdown();
  }
};

TEST_P(CommandFaultSweep, EveryFailedHostCallLeavesNothingBehind) {
  const auto before = host.failableHostCalls();
  runOnce(0);
  const auto calls = host.failableHostCalls() - before;
  ASSERT_GT(calls, 0u);
  ASSERT_THAT(host.problems(), ::testing::IsEmpty());
  for (std::uint64_t k = 1; k <= calls; ++k) {
    runOnce(static_cast<int>(k));
    EXPECT_THAT(host.problems(), ::testing::IsEmpty())
        << "failing host call " << k << " of " << calls << ", " << host.lastInjectedFault();
    host.clearRecordedProblems();
    if (HasFailure()) break;
  }
}

void setUpGlobal(aehost::EffectInstance& e) { e.globalSetup(); }
void setUpParams(aehost::EffectInstance& e) {
  e.globalSetup();
  e.paramsSetup();
}
void setUpSequence(aehost::EffectInstance& e) {
  setUpParams(e);
  e.sequenceSetup();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandFaultSweep,
    ::testing::Values(
        CommandSweep{"ParamsSetup", setUpGlobal, [](aehost::EffectInstance& e) { return e.paramsSetup(); }},
        CommandSweep{"SequenceSetup", setUpParams, [](aehost::EffectInstance& e) { return e.sequenceSetup(); }},
        CommandSweep{"SequenceFlatten", setUpSequence, [](aehost::EffectInstance& e) { return e.sequenceFlatten(); }},
        CommandSweep{"SequenceResetup", setUpSequence,
                     [](aehost::EffectInstance& e) { return e.sequenceResetup(); }},
        CommandSweep{"GetFlattenedSequenceData", setUpSequence,
                     [](aehost::EffectInstance& e) {
                       e.getFlattenedSequenceData();
                       return aehost::CommandResult{};
                     }},
        CommandSweep{"OptionsStore", setUpSequence,
                     [](aehost::EffectInstance& e) {
                       win32standin::setDialogScript([](HWND dialog) { win32standin::clickButton(dialog, 2001); });
                       const aehost::CommandResult result = e.doDialog();
                       win32standin::setDialogScript(nullptr);
                       return result;
                     }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
