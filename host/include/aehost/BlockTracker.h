#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "SPBasic.h"
#include "aehost/Countdown.h"
#include "aehost/ProblemLog.h"

namespace aehost {

// The basic suite's AllocateBlock / FreeBlock / ReallocateBlock: malloc-family memory whose
// every live block is known, so a leak or a free of a foreign pointer is caught.
class BlockTracker {
 public:
  explicit BlockTracker(ProblemLog& problems);
  ~BlockTracker();
  BlockTracker(const BlockTracker&) = delete;
  BlockTracker& operator=(const BlockTracker&) = delete;

  SPErr allocate(std::size_t sizeBytes, void** block);
  SPErr free(void* block);
  SPErr reallocate(void* block, std::size_t newSizeBytes, void** newBlock);

  std::size_t liveCount() const;
  void failNthAllocation(int n);  // AllocateBlock and growing ReallocateBlock alike
  void audit(std::vector<std::string>& out) const;

 private:
  void note(const std::string& what);

  ProblemLog& problems_;
  mutable std::mutex mutex_;
  std::unordered_map<void*, std::size_t> liveBlockSizes_;
  Countdown allocationFault_;
};

}  // namespace aehost
