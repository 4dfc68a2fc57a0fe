#include "aehost/ImageMemory.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "KeptMemory_p.h"
#include "LargePages_p.h"

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
  auto* block = static_cast<std::byte*>(::operator new(bytes, kPage));
  adviseLargePages(block, bytes);
  return block;
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

ImageBytes::ImageBytes(std::size_t size, std::shared_ptr<ImageMemoryPool> pool) : pool_(std::move(pool)) {
  if (size == 0) return;
  block_ = pool_ ? pool_->take(size) : static_cast<std::byte*>(::operator new(size));
  blockBytes_ = size_ = size;
}

ImageBytes ImageBytes::adopt(std::byte* block, std::size_t blockBytes, std::size_t offset, std::size_t size,
                             std::shared_ptr<ImageMemoryPool> pool) noexcept {
  ImageBytes bytes;
  bytes.pool_ = std::move(pool);
  bytes.block_ = block;
  bytes.blockBytes_ = blockBytes;
  bytes.offset_ = offset;
  bytes.size_ = size;
  return bytes;
}

ImageBytes::ImageBytes(const ImageBytes& other) : ImageBytes(other.size_, other.pool_) {
  if (size_ > 0) std::memcpy(data(), other.data(), size_);
}

ImageBytes& ImageBytes::operator=(const ImageBytes& other) {
  if (this != &other) *this = ImageBytes(other);
  return *this;
}

ImageBytes::ImageBytes(ImageBytes&& other) noexcept
    : pool_(std::move(other.pool_)),
      block_(std::exchange(other.block_, nullptr)),
      blockBytes_(std::exchange(other.blockBytes_, 0)),
      offset_(std::exchange(other.offset_, 0)),
      size_(std::exchange(other.size_, 0)) {}

ImageBytes& ImageBytes::operator=(ImageBytes&& other) noexcept {
  if (this != &other) {
    release();
    pool_ = std::move(other.pool_);
    block_ = std::exchange(other.block_, nullptr);
    blockBytes_ = std::exchange(other.blockBytes_, 0);
    offset_ = std::exchange(other.offset_, 0);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

ImageBytes::~ImageBytes() { release(); }

bool ImageBytes::operator==(const ImageBytes& other) const {
  return size_ == other.size_ && (size_ == 0 || std::memcmp(data(), other.data(), size_) == 0);
}

void ImageBytes::release() noexcept {
  if (block_ == nullptr) return;
  if (pool_) {
    pool_->give(block_, blockBytes_);
  } else {
    ::operator delete(block_);
  }
  block_ = nullptr;
  blockBytes_ = offset_ = size_ = 0;
}

}  // namespace aehost
