// The effect's suite scopes against the simulated host's basic suite: acquired once and
// late, released in slot order, refusals turned into 516.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "AE_EffectCBSuites.h"
#include "AE_EffectSuites.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"
#include "framework/SuiteHandler.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Stand-in tables: the handler only hands them out, it never calls through them.
PF_PathQuerySuite1 pathQuery{};
PF_PathDataSuite1 pathData{};
PF_FillMatteSuite2 fillMatte{};
PF_WorldTransformSuite1 worldTransform{};

class SuiteHandlerTest : public ::testing::Test {
protected:
  SuiteHandlerTest() {
    host.suites().add(kPFPathQuerySuite, kPFPathQuerySuiteVersion1, &pathQuery);
    host.suites().add(kPFPathDataSuite, kPFPathDataSuiteVersion1, &pathData);
    host.suites().add(kPFFillMatteSuite, kPFFillMatteSuiteVersion2, &fillMatte);
    host.suites().add(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1, &worldTransform);
  }
  void TearDown() override { EXPECT_THAT(host.problems(), IsEmpty()); }

  // Records the order of ReleaseSuite calls by wrapping the host's basic suite.
  static SPErr recordingRelease(const char* name, int version) {
    releases().push_back(name);
    return realRelease(name, version);
  }
  static std::vector<std::string>& releases() {
    static std::vector<std::string> names;
    return names;
  }
  static inline SPErr (*realRelease)(const char*, int) = nullptr;

  aehost::Host host;
  aehost::HostScope scope{host};
};

TEST_F(SuiteHandlerTest, AcquiresLazilyAndOnce) {
  {
    SuiteHandler suites(host.basicSuite());
    EXPECT_EQ(host.suites().acquireCount(kPFFillMatteSuite, 2), 0);
    EXPECT_EQ(suites.fillMatteSuite(), &fillMatte);
    EXPECT_EQ(suites.fillMatteSuite(), &fillMatte);
    EXPECT_EQ(host.suites().acquireCount(kPFFillMatteSuite, 2), 1);
    EXPECT_EQ(host.suites().acquireCount(kPFPathQuerySuite, 1), 0);
  }
  EXPECT_EQ(host.suites().releaseCount(kPFFillMatteSuite, 2), 1);
  EXPECT_EQ(host.suites().releaseCount(kPFPathQuerySuite, 1), 0);
}

TEST_F(SuiteHandlerTest, ReleasesInSlotOrderNotAcquisitionOrder) {
  SPBasicSuite wrapped = *host.basicSuite();
  realRelease = wrapped.ReleaseSuite;
  wrapped.ReleaseSuite = &SuiteHandlerTest::recordingRelease;
  releases().clear();
  {
    SuiteHandler suites(&wrapped);
    suites.worldTransformSuite();
    suites.fillMatteSuite();
    suites.pathQuerySuite();
  }
  EXPECT_THAT(releases(), ElementsAre(kPFPathQuerySuite, kPFFillMatteSuite, kPFWorldTransformSuite));
}

TEST_F(SuiteHandlerTest, NothingAcquiredNothingReleased) {
  { SuiteHandler suites(host.basicSuite()); }
  EXPECT_EQ(host.suites().releaseCount(kPFPathQuerySuite, 1), 0);
}

TEST_F(SuiteHandlerTest, RefusedOrNullSuiteThrows516AndReleasesTheRest) {
  host.suites().refuse(kPFPathDataSuite, 1, kSPSuiteNotFoundError);
  host.suites().offerAsNull(kPFWorldTransformSuite, 1);
  SuiteHandler suites(host.basicSuite());
  suites.pathQuerySuite();
  EXPECT_THROW(
      {
        try {
          suites.pathDataSuite();
        } catch (PF_Err code) {
          EXPECT_EQ(code, PF_Err_BAD_CALLBACK_PARAM);
          throw;
        }
      },
      PF_Err);
  EXPECT_THROW(suites.worldTransformSuite(), PF_Err);
}

TEST(SuiteHandlerWithoutHost, MissingBasicSuiteThrows516) {
  try {
    SuiteHandler suites(nullptr);
    FAIL() << "no exception";
  } catch (PF_Err code) {
    EXPECT_EQ(code, PF_Err_BAD_CALLBACK_PARAM);
  }
}

}  // namespace
