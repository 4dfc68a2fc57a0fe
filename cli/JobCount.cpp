#include "JobCount.h"

#include <sched.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace inkline_cli {

namespace {

// The first line of a small system file; empty when it cannot be read.
std::string firstLine(const char* path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

std::optional<std::uint64_t> number(const std::string& text) {
  try {
    std::size_t used = 0;
    const unsigned long long value = std::stoull(text, &used);
    if (used == 0) return std::nullopt;
    return value;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// A cgroup's CPU quota in CPUs, rounded up: "max 100000" is none, "150000 100000" is 2
// (cgroup v2), or cfs_quota_us / cfs_period_us (v1, -1 for none).
std::optional<unsigned> cgroupCpus() {
  std::istringstream v2(firstLine("/sys/fs/cgroup/cpu.max"));
  std::string quota, period;
  if (v2 >> quota >> period) {
    const auto q = number(quota), p = number(period);
    if (quota != "max" && q && p && *p > 0) return static_cast<unsigned>(std::max<std::uint64_t>(1, (*q + *p - 1) / *p));
    return std::nullopt;
  }
  const std::string q1 = firstLine("/sys/fs/cgroup/cpu/cpu.cfs_quota_us");
  const auto q = number(q1), p = number(firstLine("/sys/fs/cgroup/cpu/cpu.cfs_period_us"));
  if (!q1.empty() && q1[0] != '-' && q && p && *p > 0) {
    return static_cast<unsigned>(std::max<std::uint64_t>(1, (*q + *p - 1) / *p));
  }
  return std::nullopt;
}

}  // namespace

unsigned usableCpus() {
  unsigned cpus = std::max(1u, std::thread::hardware_concurrency());
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0) cpus = std::max(1, CPU_COUNT(&set));
  if (const std::optional<unsigned> quota = cgroupCpus()) cpus = std::min(cpus, *quota);
  return cpus;
}

std::optional<std::uint64_t> availableMemory() {
  std::optional<std::uint64_t> available;
  std::ifstream meminfo("/proc/meminfo");
  for (std::string line; std::getline(meminfo, line);) {
    if (line.rfind("MemAvailable:", 0) == 0) {
      if (const auto kb = number(line.substr(13))) available = *kb * 1024;
      break;
    }
  }
  // A cgroup's limit less what the group already uses (v2, then v1).
  std::optional<std::uint64_t> limit = number(firstLine("/sys/fs/cgroup/memory.max"));
  std::optional<std::uint64_t> used = number(firstLine("/sys/fs/cgroup/memory.current"));
  if (!limit) {
    limit = number(firstLine("/sys/fs/cgroup/memory/memory.limit_in_bytes"));
    used = number(firstLine("/sys/fs/cgroup/memory/memory.usage_in_bytes"));
  }
  // v1 reports "no limit" as a number near 2^63.
  if (limit && *limit < (std::uint64_t{1} << 60)) {
    const std::uint64_t left = *limit > used.value_or(0) ? *limit - used.value_or(0) : 0;
    available = available ? std::min(*available, left) : left;
  }
  return available;
}

std::uint64_t bytesPerJob(std::uint64_t pixels, std::uint64_t bytesPerPixel) { return pixels * (3 * bytesPerPixel + 4); }

unsigned jobsThatFit(unsigned cpus, std::optional<std::uint64_t> available, std::uint64_t perJob) {
  unsigned jobs = std::max(1u, cpus);
  if (available && perJob > 0) jobs = static_cast<unsigned>(std::clamp<std::uint64_t>(*available / perJob, 1, jobs));
  return jobs;
}

}  // namespace inkline_cli
