#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aehost/CallbackTables.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"
#include "support/ProblemText.h"

namespace {

using aehost::Host;
using aehost::HostScope;

struct FakeSuite1 {
  int (*answer)();
};
int fortyTwo() { return 42; }
const FakeSuite1 kFakeSuite{fortyTwo};

class HostSuites : public ::testing::Test {
 protected:
  Host host;
  HostScope scope{host, "suite test"};
  SPBasicSuite* basic = host.basicSuite();

  const PFAppSuite5* acquireApp() {
    const void* suite = nullptr;
    EXPECT_EQ(basic->AcquireSuite(kPFAppSuite, kPFAppSuiteVersion5, &suite), kSPNoError);
    return static_cast<const PFAppSuite5*>(suite);
  }
};

TEST_F(HostSuites, ServesTheAppSuiteWithTheLanguage) {
  const PFAppSuite5* app = acquireApp();
  ASSERT_NE(app, nullptr);
  A_char language[6] = {};
  EXPECT_EQ(app->PF_AppGetLanguage(language), PF_Err_NONE);
  EXPECT_STREQ(language, "en_US");
  EXPECT_EQ(basic->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5), kSPNoError);
  EXPECT_EQ(host.suites().acquireCount(kPFAppSuite, kPFAppSuiteVersion5), 1);
  EXPECT_EQ(host.suites().releaseCount(kPFAppSuite, kPFAppSuiteVersion5), 1);
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
}

TEST_F(HostSuites, LanguageIsCutToFiveCharacters) {
  host.options().language = "de_DE_extra";
  const PFAppSuite5* app = acquireApp();
  A_char language[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 0};
  app->PF_AppGetLanguage(language);
  EXPECT_STREQ(language, "de_DE");
  basic->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5);
}

TEST_F(HostSuites, OtherAppSuiteMembersAreBadCallsAndRecorded) {
  const PFAppSuite5* app = acquireApp();
  PF_Boolean renderEngine = 0;
  EXPECT_EQ(app->PF_IsRenderEngine(&renderEngine), PF_Err_BAD_CALLBACK_PARAM);
  basic->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5);
  EXPECT_TRUE(anyContains(host.problems(), "not yet simulated: app.PF_IsRenderEngine")) << joined(host.problems());
}

TEST_F(HostSuites, UnknownSuiteOrVersionIsNotFound) {
  const void* suite = &suite;
  EXPECT_EQ(basic->AcquireSuite("No Such Suite", 1, &suite), kSPSuiteNotFoundError);
  EXPECT_EQ(suite, nullptr);
  EXPECT_EQ(basic->AcquireSuite(kPFAppSuite, 99, &suite), kSPSuiteNotFoundError);
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
}

TEST_F(HostSuites, TestsRegisterAndRemoveSuites) {
  host.suites().add("Fake Suite", 1, &kFakeSuite);
  const void* suite = nullptr;
  ASSERT_EQ(basic->AcquireSuite("Fake Suite", 1, &suite), kSPNoError);
  EXPECT_EQ(static_cast<const FakeSuite1*>(suite)->answer(), 42);
  basic->ReleaseSuite("Fake Suite", 1);

  host.suites().remove("Fake Suite", 1);
  EXPECT_EQ(basic->AcquireSuite("Fake Suite", 1, &suite), kSPSuiteNotFoundError);
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
}

TEST_F(HostSuites, AuditCatchesAnUnreleasedSuite) {
  acquireApp();
  acquireApp();
  basic->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5);
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u) << joined(problems);
  EXPECT_EQ(problems[0], "suite \"PF AE App Suite\" version 7 acquired 2x but released 1x");
}

TEST_F(HostSuites, ReleaseWithoutAcquireIsRecorded) {
  EXPECT_NE(basic->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5), kSPNoError);
  EXPECT_TRUE(anyContains(host.problems(), "without a matching AcquireSuite")) << joined(host.problems());
}

TEST_F(HostSuites, RefusedSuiteReturnsTheChosenError) {
  host.suites().refuse(kPFAppSuite, kPFAppSuiteVersion5, kSPOutOfMemoryError);
  const void* suite = &suite;
  EXPECT_EQ(basic->AcquireSuite(kPFAppSuite, kPFAppSuiteVersion5, &suite), kSPOutOfMemoryError);
  EXPECT_EQ(suite, nullptr);
  EXPECT_EQ(host.suites().failedAcquireCount(kPFAppSuite, kPFAppSuiteVersion5), 1);

  host.suites().restore(kPFAppSuite, kPFAppSuiteVersion5);
  EXPECT_NE(acquireApp(), nullptr);
  basic->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5);
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
}

TEST_F(HostSuites, SuiteOfferedAsNullSucceedsWithNullPointer) {
  host.suites().offerAsNull(kPFAppSuite, kPFAppSuiteVersion5);
  const void* suite = &suite;
  EXPECT_EQ(basic->AcquireSuite(kPFAppSuite, kPFAppSuiteVersion5, &suite), kSPNoError);
  EXPECT_EQ(suite, nullptr);
  // Neither releasing nor not releasing a null suite is held against the effect.
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
  EXPECT_EQ(basic->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5), kSPNoError);
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
}

TEST_F(HostSuites, NullArgumentsAreRecorded) {
  EXPECT_EQ(basic->AcquireSuite(nullptr, 1, nullptr), kSPBadParameterError);
  EXPECT_EQ(basic->ReleaseSuite(nullptr, 1), kSPBadParameterError);
  EXPECT_EQ(host.problems().size(), 2u) << joined(host.problems());
}

TEST_F(HostSuites, IsEqualComparesStrings) {
  EXPECT_TRUE(basic->IsEqual("PF AE App Suite", kPFAppSuite));
  EXPECT_FALSE(basic->IsEqual("PF AE App Suite", "PF AE App Suit"));
}

TEST_F(HostSuites, BlocksAreTrackedAndLeaksAudited) {
  void* block = nullptr;
  ASSERT_EQ(basic->AllocateBlock(16, &block), kSPNoError);
  ASSERT_NE(block, nullptr);
  void* bigger = nullptr;
  ASSERT_EQ(basic->ReallocateBlock(block, 4096, &bigger), kSPNoError);
  EXPECT_EQ(host.blocks().liveCount(), 1u);
  EXPECT_TRUE(anyContains(host.problems(), "4096 bytes from AllocateBlock never freed")) << joined(host.problems());
  EXPECT_EQ(basic->FreeBlock(bigger), kSPNoError);
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
}

TEST_F(HostSuites, FreeingAForeignOrFreedBlockIsRecorded) {
  void* block = nullptr;
  basic->AllocateBlock(8, &block);
  basic->FreeBlock(block);
  EXPECT_NE(basic->FreeBlock(block), kSPNoError);
  int onStack = 0;
  EXPECT_NE(basic->FreeBlock(&onStack), kSPNoError);
  EXPECT_EQ(host.problems().size(), 2u) << joined(host.problems());
}

TEST_F(HostSuites, FailsTheNthAllocation) {
  host.blocks().failNthAllocation(1);
  void* block = &block;
  EXPECT_EQ(basic->AllocateBlock(8, &block), kSPOutOfMemoryError);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(basic->AllocateBlock(8, &block), kSPNoError);
  basic->FreeBlock(block);
}

TEST_F(HostSuites, UndefinedIsUnimplemented) {
  EXPECT_EQ(basic->Undefined(), kSPUnimplementedError);
}

TEST(HostSuitesOptions, NoBasicSuiteMeansNull) {
  Host host;
  host.options().provideBasicSuite = false;
  EXPECT_EQ(host.basicSuite(), nullptr);
}

TEST(HostSuitesWithoutScope, BasicSuiteFailsSafelyWithNoCurrentHost) {
  Host host;
  SPBasicSuite* basic = host.basicSuite();  // valid table, but no scope on this thread
  const void* suite = &suite;
  EXPECT_NE(basic->AcquireSuite(kPFAppSuite, kPFAppSuiteVersion5, &suite), kSPNoError);
  EXPECT_EQ(suite, nullptr);
  EXPECT_NE(basic->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5), kSPNoError);
  void* block = &block;
  EXPECT_NE(basic->AllocateBlock(8, &block), kSPNoError);
  EXPECT_EQ(block, nullptr);
  A_char language[6] = {};
  EXPECT_EQ(aehost::appSuite().PF_AppGetLanguage(language), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(host.problems().empty());
}

}  // namespace
