#include "JobCount.h"

#include <sched.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>

namespace inkline_cli {

namespace {

std::string readAll(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The first line of a small system file; empty when it cannot be read.
std::string firstLine(const std::filesystem::path& path) {
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

// The cgroup folder of this process for a v1 controller ("memory", "cpu"), or the v2 one
// (controller empty), and the root that folder's ancestors stop at.
std::optional<std::pair<std::filesystem::path, std::filesystem::path>> cgroupOf(const std::filesystem::path& root,
                                                                                const std::string& selfCgroup,
                                                                                const std::string& controller) {
  std::istringstream lines(selfCgroup);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t first = line.find(':');
    const std::size_t second = line.find(':', first + 1);
    if (first == std::string::npos || second == std::string::npos) continue;
    const std::string controllers = line.substr(first + 1, second - first - 1);
    const std::string path = line.substr(second + 1);
    const std::filesystem::path relative = std::filesystem::path(path).relative_path();
    if (controller.empty()) {
      if (line.rfind("0::", 0) == 0) return std::pair{root / relative, root};
      continue;
    }
    std::istringstream names(controllers);
    for (std::string name; std::getline(names, name, ',');) {
      if (name == controller) return std::pair{root / controller / relative, root / controller};
    }
  }
  return std::nullopt;
}

// The lower of two values, either of which may be missing.
std::optional<std::uint64_t> lower(std::optional<std::uint64_t> a, std::optional<std::uint64_t> b) {
  if (!a) return b;
  if (!b) return a;
  return std::min(*a, *b);
}

// The lowest value that `read` finds in the folder and its ancestors up to the root.
template <class Read>
std::optional<std::uint64_t> lowestUpTo(std::filesystem::path folder, const std::filesystem::path& root, Read&& read) {
  std::optional<std::uint64_t> lowest;
  while (true) {
    lowest = lower(lowest, read(folder));
    if (folder == root || !folder.has_relative_path() || folder.parent_path() == folder) break;
    folder = folder.parent_path();
  }
  return lowest;
}

// The lowest value along this process's cgroups and their ancestors: readV2 in the v2
// hierarchy, readV1 in the v1 hierarchy of `controller`, whichever of them are mounted.
template <class ReadV2, class ReadV1>
std::optional<std::uint64_t> lowestInCgroups(const std::filesystem::path& root, const std::string& selfCgroup,
                                             const std::string& controller, ReadV2&& readV2, ReadV1&& readV1) {
  std::optional<std::uint64_t> lowest;
  if (const auto v2 = cgroupOf(root, selfCgroup, "")) lowest = lowestUpTo(v2->first, v2->second, readV2);
  if (const auto v1 = cgroupOf(root, selfCgroup, controller)) {
    lowest = lower(lowest, lowestUpTo(v1->first, v1->second, readV1));
  }
  return lowest;
}

}  // namespace

std::optional<unsigned> cgroupCpuQuota(const std::filesystem::path& root, const std::string& selfCgroup) {
  // In whole CPUs, rounded up: v2 cpu.max "150000 100000" is 2 ("max ..." is none); v1
  // cfs_quota_us / cfs_period_us (-1 is none).
  const auto cpus = [](std::optional<std::uint64_t> quota, std::optional<std::uint64_t> period) -> std::optional<std::uint64_t> {
    if (!quota || !period || *period == 0) return std::nullopt;
    return std::max<std::uint64_t>(1, (*quota + *period - 1) / *period);
  };
  const std::optional<std::uint64_t> lowest = lowestInCgroups(
      root, selfCgroup, "cpu",
      [&](const std::filesystem::path& folder) {
        std::istringstream max(firstLine(folder / "cpu.max"));
        std::string quota, period;
        if (!(max >> quota >> period) || quota == "max") return std::optional<std::uint64_t>{};
        return cpus(number(quota), number(period));
      },
      [&](const std::filesystem::path& folder) {
        const std::string quota = firstLine(folder / "cpu.cfs_quota_us");
        if (quota.empty() || quota[0] == '-') return std::optional<std::uint64_t>{};
        return cpus(number(quota), number(firstLine(folder / "cpu.cfs_period_us")));
      });
  if (!lowest) return std::nullopt;
  return static_cast<unsigned>(std::min<std::uint64_t>(*lowest, 1u << 16));
}

std::optional<std::uint64_t> memoryAvailable(const std::filesystem::path& root, const std::string& selfCgroup,
                                             const std::string& meminfo) {
  std::optional<std::uint64_t> available;
  std::istringstream lines(meminfo);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("MemAvailable:", 0) == 0) {
      if (const auto kb = number(line.substr(13))) available = *kb * 1024;
      break;
    }
  }
  // What the cgroup's limit leaves: the lowest of each limit along the way less its usage
  // (v2 memory.max and memory.current; v1 memory.limit_in_bytes, which reports "no limit" as
  // a number near 2^63, and memory.usage_in_bytes).
  const auto leftUnder = [](std::optional<std::uint64_t> limit, std::optional<std::uint64_t> used) -> std::optional<std::uint64_t> {
    if (!limit || *limit >= (std::uint64_t{1} << 60)) return std::nullopt;
    return *limit > used.value_or(0) ? *limit - used.value_or(0) : 0;
  };
  const std::optional<std::uint64_t> left = lowestInCgroups(
      root, selfCgroup, "memory",
      [&](const std::filesystem::path& folder) {
        return leftUnder(number(firstLine(folder / "memory.max")), number(firstLine(folder / "memory.current")));
      },
      [&](const std::filesystem::path& folder) {
        return leftUnder(number(firstLine(folder / "memory.limit_in_bytes")),
                         number(firstLine(folder / "memory.usage_in_bytes")));
      });
  return lower(available, left);
}

unsigned usableCpus() {
  unsigned cpus = std::max(1u, std::thread::hardware_concurrency());
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0) cpus = std::max(1, CPU_COUNT(&set));
  if (const std::optional<unsigned> quota = cgroupCpuQuota("/sys/fs/cgroup", readAll("/proc/self/cgroup"))) {
    cpus = std::min(cpus, *quota);
  }
  return cpus;
}

std::optional<std::uint64_t> availableMemory() {
  return memoryAvailable("/sys/fs/cgroup", readAll("/proc/self/cgroup"), readAll("/proc/meminfo"));
}

std::uint64_t bytesPerJob(std::uint64_t pixels, std::uint64_t bytesPerPixel) { return pixels * (3 * bytesPerPixel + 4); }

unsigned jobsThatFit(unsigned cpus, std::optional<std::uint64_t> available, std::uint64_t perJob) {
  unsigned jobs = std::max(1u, cpus);
  if (available && perJob > 0) jobs = static_cast<unsigned>(std::clamp<std::uint64_t>(*available / perJob, 1, jobs));
  return jobs;
}

}  // namespace inkline_cli
