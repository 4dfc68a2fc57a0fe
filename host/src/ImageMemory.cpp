#include "aehost/ImageMemory.h"

#include <algorithm>

#include "KeptMemory_p.h"

namespace aehost {
namespace {
constexpr std::align_val_t kPage{4096};
}  // namespace

ImageMemoryPool::~ImageMemoryPool() {
  for (const auto& [block, bytes] : kept_) {
    markInUse(block, bytes);
    ::operator delete(block, kPage);
  }
}

std::byte* ImageMemoryPool::take(std::size_t bytes) {
  if (bytes >= kSmallestKept) {
    const std::lock_guard lock(mutex_);
    const auto found = std::find_if(kept_.begin(), kept_.end(), [&](const auto& kept) { return kept.second == bytes; });
    if (found != kept_.end()) {
      std::byte* block = found->first;
      kept_.erase(found);
      markInUse(block, bytes);
      return block;
    }
  }
  // Page-aligned: a copy from a world into it (whose pixels sit at the same place in a page
  // for every world) measured slower when the image started 16 bytes into a page.
  return static_cast<std::byte*>(::operator new(bytes, kPage));
}

void ImageMemoryPool::give(std::byte* block, std::size_t bytes) noexcept {
  if (bytes >= kSmallestKept) {
    const std::lock_guard lock(mutex_);
    if (kept_.size() < kMaxKeptBlocks) {
      markKept(block, bytes);
      kept_.emplace_back(block, bytes);
      return;
    }
  }
  ::operator delete(block, kPage);  // a large block goes back to the system outside the lock
}

std::size_t ImageMemoryPool::keptBlocks() {
  const std::lock_guard lock(mutex_);
  return kept_.size();
}

}  // namespace aehost
