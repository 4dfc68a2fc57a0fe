// The default job count: CPUs this process may use, lowered so the frames in flight fit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

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

// A cgroup file system laid out in a scratch folder, to read limits from.
class FakeCgroups {
 public:
  FakeCgroups() : root_(std::filesystem::temp_directory_path() / ("inkline-cgroups-" + std::to_string(getpid()))) {
    std::filesystem::remove_all(root_);
  }
  ~FakeCgroups() { std::filesystem::remove_all(root_); }
  void write(const std::string& file, const std::string& text) const {
    std::filesystem::create_directories((root_ / file).parent_path());
    std::ofstream(root_ / file) << text << "\n";
  }
  const std::filesystem::path& root() const { return root_; }

 private:
  std::filesystem::path root_;
};

constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
const std::string kMeminfo = "MemTotal:       33554432 kB\nMemAvailable:   16777216 kB\n";  // 16 GiB available

TEST(JobCount, LimitsOfThisProcesssCgroupAndItsAncestors) {
  using inkline_cli::cgroupCpuQuota;
  using inkline_cli::memoryAvailable;
  {
    // cgroup v2: a job's step under a job with 4 GiB (1 GiB used) and 2.5 CPUs' quota.
    FakeCgroups fs;
    fs.write("slurm/job_7/memory.max", std::to_string(4 * kGiB));
    fs.write("slurm/job_7/memory.current", std::to_string(1 * kGiB));
    fs.write("slurm/job_7/step_0/memory.max", "max");
    fs.write("slurm/job_7/step_0/cpu.max", "max 100000");
    fs.write("slurm/job_7/cpu.max", "250000 100000");
    const std::string self = "0::/slurm/job_7/step_0\n";
    EXPECT_EQ(memoryAvailable(fs.root(), self, kMeminfo), 3 * kGiB);
    EXPECT_EQ(cgroupCpuQuota(fs.root(), self), 3u);
    // The same process outside any limit: MemAvailable, no quota.
    EXPECT_EQ(memoryAvailable(fs.root(), "0::/\n", kMeminfo), 16 * kGiB);
    EXPECT_EQ(cgroupCpuQuota(fs.root(), "0::/\n"), std::nullopt);
  }
  {
    // cgroup v1: separate hierarchies; "no limit" is a number near 2^63.
    FakeCgroups fs;
    fs.write("memory/docker/abc/memory.limit_in_bytes", std::to_string(2 * kGiB));
    fs.write("memory/docker/abc/memory.usage_in_bytes", std::to_string(kGiB / 2));
    fs.write("memory/memory.limit_in_bytes", "9223372036854771712");
    fs.write("cpu,cpuacct/docker/abc/cpu.cfs_quota_us", "100000");
    fs.write("cpu,cpuacct/docker/abc/cpu.cfs_period_us", "100000");
    std::filesystem::create_directory_symlink(fs.root() / "cpu,cpuacct", fs.root() / "cpu");
    const std::string self = "12:pids:/docker/abc\n4:memory:/docker/abc\n3:cpu,cpuacct:/docker/abc\n0::/\n";
    EXPECT_EQ(memoryAvailable(fs.root(), self, kMeminfo), 2 * kGiB - kGiB / 2);
    EXPECT_EQ(cgroupCpuQuota(fs.root(), self), 1u);
    EXPECT_EQ(memoryAvailable(fs.root(), "4:memory:/\n", kMeminfo), 16 * kGiB);  // the root: unlimited
  }
  // Nothing readable: no quota, MemAvailable alone, or nothing at all.
  EXPECT_EQ(cgroupCpuQuota("/nonexistent", "0::/x\n"), std::nullopt);
  EXPECT_EQ(memoryAvailable("/nonexistent", "", kMeminfo), 16 * kGiB);
  EXPECT_EQ(memoryAvailable("/nonexistent", "", ""), std::nullopt);
}

}  // namespace
