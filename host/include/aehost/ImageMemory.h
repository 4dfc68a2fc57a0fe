#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace aehost {

// Memory for the pixels of large images, kept when an image goes and handed to the next one
// of the same size. A renderer's result is a new image every frame; fresh memory of that size
// comes from the system page by page, each page zeroed on its first touch, which for a float
// 1080p frame costs more than the copy into it. With a pool, frames after the first reuse the
// memory of results already let go.
class ImageMemoryPool {
 public:
  // Blocks smaller than this come and go through operator new: the allocator reuses them well.
  static constexpr std::size_t kSmallestKept = std::size_t{1} << 20;
  static constexpr std::size_t kMaxKeptBlocks = 4;

  ImageMemoryPool() { kept_.reserve(kMaxKeptBlocks); }  // give() then never allocates
  ImageMemoryPool(const ImageMemoryPool&) = delete;
  ImageMemoryPool& operator=(const ImageMemoryPool&) = delete;
  ~ImageMemoryPool();

  std::byte* take(std::size_t bytes);
  void give(std::byte* block, std::size_t bytes) noexcept;
  std::size_t keptBlocks();

 private:
  std::mutex mutex_;
  std::vector<std::pair<std::byte*, std::size_t>> kept_;
};

// The allocator of an image's bytes: from a pool when it has one, else operator new. Bytes are
// left as they are when the storage grows: the image's constructors clear, fill or copy them.
template <typename T>
class ImageAllocator {
 public:
  using value_type = T;
  using propagate_on_container_copy_assignment = std::true_type;
  using propagate_on_container_move_assignment = std::true_type;
  using propagate_on_container_swap = std::true_type;
  using is_always_equal = std::false_type;

  ImageAllocator() = default;
  explicit ImageAllocator(std::shared_ptr<ImageMemoryPool> pool) : pool_(std::move(pool)) {}
  template <typename U>
  ImageAllocator(const ImageAllocator<U>& other) : pool_(other.pool()) {}

  T* allocate(std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    if (pool_ != nullptr) return reinterpret_cast<T*>(pool_->take(bytes));
    return static_cast<T*>(::operator new(bytes));
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (pool_ != nullptr) {
      pool_->give(reinterpret_cast<std::byte*>(p), n * sizeof(T));
    } else {
      ::operator delete(p);
    }
  }
  template <typename U>
  void construct(U* p) {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }

  const std::shared_ptr<ImageMemoryPool>& pool() const { return pool_; }
  template <typename U>
  bool operator==(const ImageAllocator<U>& other) const {
    return pool_ == other.pool();
  }

 private:
  std::shared_ptr<ImageMemoryPool> pool_;
};

}  // namespace aehost
