// The module's entry as the host sees it: who may call, what global set-up reports, and
// that commands the effect does not handle leave everything alone.
#include <cstring>

#include "support/InklineFixture.h"

namespace {

using ::testing::IsEmpty;

constexpr A_u_long kVersion = 0x000B0E07;
constexpr PF_OutFlags kOutFlags = 0x06000072;
constexpr PF_OutFlags2 kOutFlags2 = PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS |
                                    PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG | PF_OutFlag2_I_AM_THREADSAFE |
                                    PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE |
                                    PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA |
                                    PF_OutFlag2_SUPPORTS_THREADED_RENDERING;

TEST_F(InklineTest, PiplDescribesTheEffect) {
  const aehost::Pipl& pipl = module.pipl();
  EXPECT_EQ(pipl.kind, aehost::fourCharCode("eFKT"));
  EXPECT_EQ(pipl.name, "Inkline");
  EXPECT_EQ(pipl.category, "Tarsk");
  EXPECT_EQ(pipl.matchName, "TARSK INKLINE");
  EXPECT_EQ(pipl.entryPointX64, "EntryPointFunc");
  EXPECT_EQ(pipl.piplVersion, 0x00020000u);
  EXPECT_EQ(pipl.specVersion, (13u << 16) | 27u);
  EXPECT_EQ(pipl.effectVersion, kVersion);
  EXPECT_EQ(pipl.infoFlags, 0u);
  EXPECT_EQ(pipl.globalOutFlags, kOutFlags);
  EXPECT_EQ(pipl.globalOutFlags2, kOutFlags2);
}

TEST_F(InklineTest, GlobalSetupReportsVersionAndFlagsOfThePipl) {
  for (PF_SpecVersion version : {PF_SpecVersion{12, 11}, PF_SpecVersion{13, 27}, PF_SpecVersion{99, 0}}) {
    host.options().specVersion = version;
    const aehost::CommandResult result = effect.globalSetup();
    EXPECT_EQ(result.err, PF_Err_NONE);
    EXPECT_EQ(result.out.my_version, kVersion);
    EXPECT_EQ(result.out.out_flags, kOutFlags);
    EXPECT_EQ(result.out.out_flags2, kOutFlags2);
  }
  // The host compares the report with the PiPL and would have recorded a mismatch.
}

TEST_F(InklineTest, AnotherApplicationGets516ForEveryCommand) {
  host.options().applId = static_cast<A_long>(aehost::fourCharCode("PrMr"));
  for (PF_Cmd cmd = 0; cmd <= 30; ++cmd) {
    const aehost::CommandResult result = effect.send(cmd);
    EXPECT_EQ(result.err, PF_Err_BAD_CALLBACK_PARAM) << "command " << cmd;
    EXPECT_EQ(result.message, "") << "command " << cmd;
  }
}

TEST_F(InklineTest, MissingBasicSuiteGives516WithItsMessage) {
  host.options().provideBasicSuite = false;
  const aehost::CommandResult result = effect.globalSetup();
  EXPECT_EQ(result.err, PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(result.message, "error code = 516\nPF_Err_BAD_CALLBACK_PARAM");
  EXPECT_EQ(result.out.my_version, 0u);  // nothing was dispatched
}

TEST_F(InklineTest, CommandsWithoutHandlerSucceedAndChangeNothing) {
  ASSERT_EQ(effect.globalSetup().err, PF_Err_NONE);
  ASSERT_EQ(effect.sequenceSetup().err, PF_Err_NONE);
  const std::vector<std::byte> sequenceBefore = effect.sequenceBytes();
  for (PF_Cmd cmd : {2, 10, 12, 16, 17, 19, 20, 21, 25, 26, 27, 29, 30, 1000}) {
    const aehost::CommandResult result = effect.send(cmd);
    EXPECT_EQ(result.err, PF_Err_NONE) << "command " << cmd;
    const PF_OutData untouched{};
    EXPECT_EQ(std::memcmp(&result.out, &untouched, sizeof untouched), 0) << "command " << cmd;
    EXPECT_EQ(effect.sequenceBytes(), sequenceBefore) << "command " << cmd;
  }
  EXPECT_EQ(effect.sequenceSetdown().err, PF_Err_NONE);
}

TEST_F(InklineTest, AboutNamesTheVersion) {
  const aehost::CommandResult result = effect.about();
  EXPECT_EQ(result.err, PF_Err_NONE);
  EXPECT_THAT(result.message, ::testing::StartsWith("Inkline 1.6.1 Release \r\r"));
}

TEST_F(InklineTest, AboutWithShiftHeldShowsTheBuild) {
  win32standin::setKeyHeld(0x10, true);  // VK_SHIFT
  const aehost::CommandResult result = effect.about();
  win32standin::setKeyHeld(0x10, false);
  EXPECT_THAT(result.message, ::testing::StartsWith("Inkline 1.6.1 Release build:7 \r\r"));
}

TEST_F(InklineTest, OptionsCommandSucceeds) { EXPECT_EQ(effect.doDialog().err, PF_Err_NONE); }

TEST_F(InklineTest, GlobalSetdownThenSetupAgainWorks) {
  ASSERT_EQ(effect.globalSetup().err, PF_Err_NONE);
  ASSERT_EQ(effect.globalSetdown().err, PF_Err_NONE);
  // A host that calls again after set-down finds a fresh filter, not a destroyed one.
  const aehost::CommandResult again = effect.globalSetup();
  EXPECT_EQ(again.err, PF_Err_NONE);
  EXPECT_EQ(again.out.my_version, kVersion);
}

}  // namespace
