// How many frames to render at once when --jobs is not given: as many as the CPUs this
// process may use (its affinity, and a cgroup's CPU quota as a container or a farm's job
// gets), lowered so that the frames in flight fit in the memory available (a cgroup's memory
// limit, or MemAvailable), since each job holds whole frames.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace inkline_cli {

unsigned usableCpus();

// Bytes this process can still take; nullopt when the system does not say.
std::optional<std::uint64_t> availableMemory();

// What those read, given where: the cgroup file system's root (/sys/fs/cgroup), this
// process's /proc/self/cgroup and /proc/meminfo texts. A process's cgroup is the folder its
// /proc/self/cgroup line names under the root (cgroup v2: the "0::" line; v1: the line of the
// controller, under root/<controller>); its limit is the lowest of it and its ancestors'.
std::optional<unsigned> cgroupCpuQuota(const std::filesystem::path& root, const std::string& selfCgroup);
std::optional<std::uint64_t> memoryAvailable(const std::filesystem::path& root, const std::string& selfCgroup,
                                             const std::string& meminfo);

// Bytes one job holds for a frame of `pixels` at `bytesPerPixel`: the output and work worlds,
// the PNG rows being written, and the effect's per-pixel scratch.
std::uint64_t bytesPerJob(std::uint64_t pixels, std::uint64_t bytesPerPixel);

// At most `cpus`, at least 1, and no more than `available` bytes hold.
unsigned jobsThatFit(unsigned cpus, std::optional<std::uint64_t> available, std::uint64_t perJob);

}  // namespace inkline_cli
