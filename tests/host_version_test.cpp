#include <gtest/gtest.h>

#include <string>

#include "framework/HostVersion.h"

namespace {

struct VersionCase {
  A_short major, minor;
  int number;
  int paramUtilsVersion;
  bool readsStoredDefaults;
};

class HostVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(HostVersionTest, NumbersAndAbilities) {
  const VersionCase& c = GetParam();
  const PF_SpecVersion version{c.major, c.minor};
  EXPECT_EQ(hostVersionNumber(version), c.number);
  EXPECT_EQ(paramUtilsSuiteVersion(version), c.paramUtilsVersion);
  EXPECT_EQ(hostReadsStoredDefaults(version), c.readsStoredDefaults);
}

INSTANTIATE_TEST_SUITE_P(Hosts, HostVersionTest,
                         ::testing::Values(VersionCase{11, 99, 0, 2, false}, VersionCase{12, 10, 0, 2, false},
                                           VersionCase{12, 11, 65, 2, false}, VersionCase{12, 12, 70, 2, true},
                                           VersionCase{12, 13, 80, 2, true}, VersionCase{12, 14, 90, 2, true},
                                           VersionCase{12, 15, 9999, 3, true}, VersionCase{13, 0, 100, 2, true},
                                           VersionCase{13, 1, 105, 2, true}, VersionCase{13, 2, 110, 3, true},
                                           VersionCase{13, 27, 9999, 3, true}, VersionCase{14, 0, 9999, 3, true}),
                         [](const auto& info) {
                           return "Api" + std::to_string(info.param.major) + "_" + std::to_string(info.param.minor);
                         });

}  // namespace
