#include "aehost/BlockTracker.h"

#include <cstdlib>

#include "aehost/HostScope.h"

namespace aehost {

BlockTracker::BlockTracker(ProblemLog& problems) : problems_(problems) {}

BlockTracker::~BlockTracker() {
  for (auto& [block, size] : liveBlockSizes_) std::free(block);
}

void BlockTracker::note(const std::string& what) {
  problems_.record("[" + std::string(currentActivity()) + "] " + what);
}

SPErr BlockTracker::allocate(std::size_t sizeBytes, void** block) {
  if (block == nullptr) {
    note("AllocateBlock called with a NULL result pointer");
    return kSPBadParameterError;
  }
  const std::lock_guard lock(mutex_);
  *block = nullptr;
  if (allocationFault_.fires()) return kSPOutOfMemoryError;
  void* memory = std::malloc(sizeBytes == 0 ? 1 : sizeBytes);
  if (memory == nullptr) return kSPOutOfMemoryError;
  liveBlockSizes_.emplace(memory, sizeBytes);
  *block = memory;
  return kSPNoError;
}

SPErr BlockTracker::free(void* block) {
  if (block == nullptr) return kSPNoError;
  const std::lock_guard lock(mutex_);
  const auto found = liveBlockSizes_.find(block);
  if (found == liveBlockSizes_.end()) {
    note("FreeBlock of a block this host did not allocate or already freed");
    return kSPBadParameterError;
  }
  std::free(block);
  liveBlockSizes_.erase(found);
  return kSPNoError;
}

SPErr BlockTracker::reallocate(void* block, std::size_t newSizeBytes, void** newBlock) {
  if (block == nullptr) return allocate(newSizeBytes, newBlock);
  if (newBlock == nullptr) {
    note("ReallocateBlock called with a NULL result pointer");
    return kSPBadParameterError;
  }
  const std::lock_guard lock(mutex_);
  const auto found = liveBlockSizes_.find(block);
  if (found == liveBlockSizes_.end()) {
    note("ReallocateBlock of a block this host did not allocate or already freed");
    return kSPBadParameterError;
  }
  if (newSizeBytes > found->second && allocationFault_.fires()) return kSPOutOfMemoryError;
  void* memory = std::realloc(block, newSizeBytes == 0 ? 1 : newSizeBytes);
  if (memory == nullptr) return kSPOutOfMemoryError;
  liveBlockSizes_.erase(found);
  liveBlockSizes_.emplace(memory, newSizeBytes);
  *newBlock = memory;
  return kSPNoError;
}

std::size_t BlockTracker::liveCount() const {
  const std::lock_guard lock(mutex_);
  return liveBlockSizes_.size();
}

void BlockTracker::failNthAllocation(int n) {
  const std::lock_guard lock(mutex_);
  allocationFault_.arm(n);
}

void BlockTracker::audit(std::vector<std::string>& out) const {
  const std::lock_guard lock(mutex_);
  for (const auto& [block, size] : liveBlockSizes_) {
    out.push_back("block of " + std::to_string(size) + " bytes from AllocateBlock never freed");
  }
}

}  // namespace aehost
