#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "aehost/EffectInstance.h"
#include "aehost/FourCharCode.h"
#include "aehost/Host.h"
#include "aehost/PluginModule.h"
#include "aehost_testing/ProbeModule.h"
#include "support/ProbeFixture.h"
#include "support/ProblemText.h"

namespace {

using aehost::EffectInstance;
using aehost::testing::kFlatMagic;
using aehost::testing::kUnflatMagic;
using aehost::testing::ProbeSequence;

ProbeSequence asSequence(const std::vector<std::byte>& bytes) {
  ProbeSequence sequence{};
  EXPECT_EQ(bytes.size(), sizeof sequence);
  if (bytes.size() == sizeof sequence) std::memcpy(&sequence, bytes.data(), sizeof sequence);
  return sequence;
}

// One host, one freshly loaded probe, one instance of it.
class HostInstance : public ProbeTest {};

TEST_F(HostInstance, GlobalSetupAndSetdownBalance) {
  const auto setup = instance.globalSetup();
  EXPECT_EQ(setup.err, PF_Err_NONE);
  EXPECT_EQ(setup.out.my_version, aehost::testing::kProbeVersion);
  EXPECT_NE(instance.globalData(), nullptr);
  EXPECT_STREQ(probe.language, "en_US");
  EXPECT_EQ(host.suites().acquireCount(kPFAppSuite, kPFAppSuiteVersion5), 1);

  EXPECT_EQ(instance.globalSetdown().err, PF_Err_NONE);
  EXPECT_EQ(instance.globalData(), nullptr);
  expectClean();
}

TEST_F(HostInstance, InDataDescribesHostAndComposition) {
  instance.setCurrentTime(48);
  instance.globalSetup();
  const PF_InData& in = probe.lastIn;
  EXPECT_EQ(in.appl_id, static_cast<A_long>(aehost::fourCharCode("FXTC")));
  EXPECT_EQ(in.version.major, 13);
  EXPECT_EQ(in.version.minor, 27);
  EXPECT_EQ(in.effect_ref, instance.effectRef());
  EXPECT_EQ(in.quality, PF_Quality_HI);
  EXPECT_EQ(in.current_time, 48);
  EXPECT_EQ(in.time_step, 1);
  EXPECT_EQ(in.local_time_step, 1);
  EXPECT_EQ(in.time_scale, 24u);
  EXPECT_EQ(in.total_time, 240);
  EXPECT_EQ(in.width, 1920);
  EXPECT_EQ(in.height, 1080);
  EXPECT_EQ(in.extent_hint.right, 1920);
  EXPECT_EQ(in.extent_hint.bottom, 1080);
  EXPECT_EQ(in.downsample_x.num, 1);
  EXPECT_EQ(in.downsample_y.den, 1u);
  EXPECT_EQ(in.pixel_aspect_ratio.num, 1);
  EXPECT_EQ(in.pixel_aspect_ratio.den, 1u);
  EXPECT_EQ(in.global_data, nullptr);
  EXPECT_EQ(in.sequence_data, nullptr);
  EXPECT_NE(in.pica_basicP, nullptr);
  instance.globalSetdown();
}

TEST_F(HostInstance, EveryCallbackPointerIsFilled) {
  instance.about();
  const PF_InData& in = instance.lastInData();
  ASSERT_NE(in.utils, nullptr);
  // Every function slot of the interact table before its reserved area.
  const auto* inter = reinterpret_cast<void* const*>(&in.inter);
  for (std::size_t i = 0; i < offsetof(PF_InteractCallbacks, reserved_str) / sizeof(void*); ++i) {
    EXPECT_NE(inter[i], nullptr) << "inter slot " << i;
  }
  // Every slot of the util table except the deprecated batch slot and the trailing reserved one.
  const auto* utils = reinterpret_cast<void* const*>(in.utils);
  const std::size_t deprecated = offsetof(PF_UtilCallbacks, get_batch_func_is_deprecated) / sizeof(void*);
  const std::size_t ansiProcs = offsetof(PF_UtilCallbacks, ansi.ansi_procs) / sizeof(void*);
  for (std::size_t i = 0; i < offsetof(PF_UtilCallbacks, reserved) / sizeof(void*); ++i) {
    if (i == deprecated || i == ansiProcs) continue;
    EXPECT_NE(utils[i], nullptr) << "utils slot " << i;
  }
}

TEST_F(HostInstance, AnotherApplicationAndVersionAreReported) {
  host.options().applId = static_cast<A_long>(aehost::fourCharCode("PrMr"));
  host.options().specVersion = PF_SpecVersion{13, 1};
  instance.paramsSetup();
  EXPECT_EQ(probe.lastIn.appl_id, static_cast<A_long>(aehost::fourCharCode("PrMr")));
  EXPECT_EQ(probe.lastIn.version.minor, 1);
  EXPECT_EQ(instance.numParams(), 1);
}

TEST_F(HostInstance, VersionDifferentFromPiplIsRecorded) {
  probe.reportedVersion = aehost::testing::kProbeVersion + 1;
  instance.globalSetup();
  instance.globalSetdown();
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "out_data->my_version")) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "'eVER'")) << joined(problems);
}

TEST_F(HostInstance, OutFlagsDifferentFromPiplAreRecorded) {
  probe.reportedOutFlags = 0;
  probe.reportedOutFlags2 = 0;
  instance.globalSetup();
  instance.globalSetdown();
  const auto problems = host.problems();
  EXPECT_EQ(problems.size(), 2u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "'eGLO'")) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "'eGL2'")) << joined(problems);
}

TEST_F(HostInstance, WithoutBasicSuiteTheEffectSeesNull) {
  host.options().provideBasicSuite = false;
  instance.globalSetup();
  EXPECT_EQ(probe.lastIn.pica_basicP, nullptr);
  EXPECT_EQ(probe.language[0], '\0');
  instance.globalSetdown();
  expectClean();
}

TEST_F(HostInstance, RefusedSuiteReachesTheEffect) {
  host.suites().refuse(kPFAppSuite, kPFAppSuiteVersion5, kSPSuiteNotFoundError);
  instance.globalSetup();
  EXPECT_EQ(probe.appSuiteAcquireErr, kSPSuiteNotFoundError);
  instance.globalSetdown();
  expectClean();
}

TEST_F(HostInstance, NullSuiteReachesTheEffect) {
  host.suites().offerAsNull(kPFAppSuite, kPFAppSuiteVersion5);
  instance.globalSetup();
  EXPECT_TRUE(probe.sawAppSuiteNull);
  instance.globalSetdown();
  expectClean();
}

TEST_F(HostInstance, FailedNewHandleReachesTheEffect) {
  host.handles().failNthNewHandle(1);
  EXPECT_EQ(instance.globalSetup().err, PF_Err_OUT_OF_MEMORY);
  expectClean();
}

TEST_F(HostInstance, FailedLockReachesTheEffect) {
  host.handles().failNthLock(1);
  EXPECT_EQ(instance.sequenceSetup().err, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(instance.sequenceData(), nullptr);
  expectClean();
}

TEST_F(HostInstance, SequenceDataFollowsAfterEffectsOwnership) {
  ASSERT_EQ(instance.sequenceSetup().err, PF_Err_NONE);
  EXPECT_EQ(asSequence(instance.sequenceBytes()).magic, kUnflatMagic);

  ASSERT_EQ(instance.userChangedParam(3).err, PF_Err_NONE);
  EXPECT_EQ(probe.changedParam, 3);
  EXPECT_EQ(probe.lastIn.sequence_data, instance.sequenceData());
  EXPECT_EQ(asSequence(instance.sequenceBytes()).changeCount, 1);

  const PF_Handle unflat = instance.sequenceData();
  ASSERT_EQ(instance.sequenceFlatten().err, PF_Err_NONE);
  EXPECT_FALSE(host.handles().isLive(unflat));  // the effect disposed the old handle
  EXPECT_EQ(asSequence(instance.sequenceBytes()).magic, kFlatMagic);

  ASSERT_EQ(instance.sequenceResetup().err, PF_Err_NONE);
  const ProbeSequence resetup = asSequence(instance.sequenceBytes());
  EXPECT_EQ(resetup.magic, kUnflatMagic);
  EXPECT_EQ(resetup.changeCount, 1);

  ASSERT_EQ(instance.sequenceSetdown().err, PF_Err_NONE);
  EXPECT_EQ(instance.sequenceData(), nullptr);
  EXPECT_TRUE(instance.sequenceBytes().empty());
  expectClean();
}

TEST_F(HostInstance, GetFlattenedSequenceDataHandsBytesToTheHost) {
  instance.sequenceSetup();
  instance.userChangedParam(1);
  const PF_Handle current = instance.sequenceData();
  const auto flattened = instance.getFlattenedSequenceData();
  EXPECT_EQ(flattened.result.err, PF_Err_NONE);
  const ProbeSequence flat = asSequence(flattened.bytes);
  EXPECT_EQ(flat.magic, kFlatMagic);
  EXPECT_EQ(flat.changeCount, 1);
  EXPECT_EQ(instance.sequenceData(), current);  // unchanged

  // The flat bytes bring up a second instance, as a duplicated layer would.
  EffectInstance copy(host, module);
  ASSERT_EQ(copy.sequenceResetup(flattened.bytes).err, PF_Err_NONE);
  EXPECT_EQ(asSequence(copy.sequenceBytes()).changeCount, 1);

  copy.sequenceSetdown();
  instance.sequenceSetdown();
  expectClean();
}

TEST_F(HostInstance, ResetupAcceptsBytesOfAnySize) {
  const std::vector<std::byte> odd{std::byte{1}, std::byte{2}, std::byte{3}};
  ASSERT_EQ(instance.sequenceResetup(odd).err, PF_Err_NONE);
  EXPECT_EQ(probe.resetupInputSize, 3u);
  EXPECT_EQ(asSequence(instance.sequenceBytes()).changeCount, 0);
  instance.sequenceSetdown();
  expectClean();
}

TEST_F(HostInstance, EffectDisposingTheFlatDataAtResetupIsRecorded) {
  probe.disposeFlatAtResetup = true;
  instance.sequenceResetup(std::vector<std::byte>(sizeof(ProbeSequence)));
  instance.sequenceSetdown();
  EXPECT_TRUE(anyContains(host.problems(), "the host owns and disposes it")) << joined(host.problems());
}

TEST_F(HostInstance, DoubleDisposeAtSetdownIsRecorded) {
  probe.disposeSequenceTwice = true;
  instance.sequenceSetup();
  instance.sequenceSetdown();
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "[PF_Cmd_SEQUENCE_SETDOWN] host_dispose_handle")) << joined(problems);
}

TEST_F(HostInstance, AuditCatchesAHandleLeftLocked) {
  probe.leaveLockedAt = PF_Cmd_USER_CHANGED_PARAM;
  instance.sequenceSetup();
  instance.userChangedParam(1);
  EXPECT_TRUE(anyContains(host.problems(), "left locked (1x) when PF_Cmd_USER_CHANGED_PARAM returned"))
      << joined(host.problems());
}

TEST_F(HostInstance, AuditCatchesALeakedHandle) {
  probe.leakHandleAt = PF_Cmd_ABOUT;
  instance.about();
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "leaked handle #1 (8 bytes, effect-owned, created during PF_Cmd_ABOUT)"))
      << joined(problems);
}

TEST_F(HostInstance, AuditCatchesLeakedGlobalDataAndUnreleasedSuite) {
  probe.leakGlobalData = true;
  probe.keepAppSuite = true;
  instance.globalSetup();
  instance.globalSetdown();
  const auto problems = host.problems();
  EXPECT_EQ(problems.size(), 2u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "acquired 1x but released 0x")) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "created during PF_Cmd_GLOBAL_SETUP")) << joined(problems);
}

TEST_F(HostInstance, EscapingExceptionBecomesAnErrorAndAProblem) {
  probe.throwAt = PF_Cmd_DO_DIALOG;
  EXPECT_EQ(instance.doDialog().err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_TRUE(anyContains(host.problems(), "exception escaped")) << joined(host.problems());
}

TEST_F(HostInstance, AboutReturnsTheMessageWrittenWithAnsiSprintf) {
  const auto about = instance.about();
  EXPECT_EQ(about.message, "Host Probe v1.2");
  expectClean();
}

TEST_F(HostInstance, PlatformDataGivesTheMainWindow) {
  host.options().mainWindowHandle = 0x1234;
  instance.doDialog();
  EXPECT_EQ(probe.platformDataErr, PF_Err_NONE);
  EXPECT_EQ(probe.mainWindow, reinterpret_cast<void*>(0x1234));
  expectClean();
}

TEST_F(HostInstance, RawSendPassesAnyCommand) {
  const auto result = instance.send(99);
  EXPECT_EQ(result.err, PF_Err_NONE);
  EXPECT_EQ(probe.lastCommand, 99);
  expectClean();
}

TEST_F(HostInstance, GlobalDataIsSharedByInstancesOfOneModule) {
  instance.globalSetup();
  EffectInstance second(host, module);
  second.about();
  EXPECT_EQ(probe.lastIn.global_data, instance.globalData());
  EXPECT_NE(probe.lastIn.global_data, nullptr);
  second.globalSetdown();
  expectClean();
}

}  // namespace
