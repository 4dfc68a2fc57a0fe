// The default job count: CPUs this process may use, lowered so the frames in flight fit.
#include <gtest/gtest.h>

#include "JobCount.h"

namespace {

using inkline_cli::bytesPerJob;
using inkline_cli::jobsThatFit;

TEST(JobCount, FramesInFlightFitInTheMemoryAvailable) {
  constexpr std::uint64_t kGB = std::uint64_t{1} << 30;
  const std::uint64_t huge = bytesPerJob(8192ull * 8192ull, 16);  // a float 8192 x 8192 frame
  EXPECT_GT(huge, 3 * kGB);
  EXPECT_LT(huge, 4 * kGB);
  struct Case {
    unsigned cpus;
    std::optional<std::uint64_t> available;
    std::uint64_t perJob;
    unsigned jobs;
  };
  const Case cases[] = {
      {8, 4 * kGB, huge, 1},           // a machine reporting 4 GB: one such frame at a time
      {8, 16 * kGB, huge, 4},          // four fit in 16 GB
      {2, 16 * kGB, huge, 2},          // never more than the CPUs
      {8, 1 * kGB, huge, 1},           // at least one, even when none fits
      {8, std::nullopt, huge, 8},      // memory unknown: the CPUs
      {4, 4 * kGB, bytesPerJob(1920ull * 1080ull, 4), 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(jobsThatFit(c.cpus, c.available, c.perJob), c.jobs) << c.cpus << " CPUs";
  }
  EXPECT_GE(inkline_cli::usableCpus(), 1u);
}

}  // namespace
