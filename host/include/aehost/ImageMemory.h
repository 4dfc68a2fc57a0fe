#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
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

// An image's pixel bytes, owned: a block of their own, or a part of a larger block from a pool
// (the memory of a render's output world, guards included, taken over when the render hands
// its pixels to the result). The block goes back to its pool, or to the system, when the bytes
// go. Copies are deep and draw from the same pool; moves take the block along.
class ImageBytes {
 public:
  ImageBytes() = default;
  // `size` bytes, not initialised, from `pool` when one is given.
  ImageBytes(std::size_t size, std::shared_ptr<ImageMemoryPool> pool);
  // Takes over `block`, blockBytes long, from `pool`'s take() (not null): the bytes are the
  // `size` from `offset` on.
  static ImageBytes adopt(std::byte* block, std::size_t blockBytes, std::size_t offset, std::size_t size,
                          std::shared_ptr<ImageMemoryPool> pool) noexcept;
  ImageBytes(const ImageBytes& other);
  ImageBytes& operator=(const ImageBytes& other);
  ImageBytes(ImageBytes&& other) noexcept;
  ImageBytes& operator=(ImageBytes&& other) noexcept;
  ~ImageBytes();

  std::byte* data() { return block_ + offset_; }
  const std::byte* data() const { return block_ + offset_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  bool operator==(const ImageBytes& other) const;

 private:
  void release() noexcept;

  std::shared_ptr<ImageMemoryPool> pool_;
  std::byte* block_ = nullptr;
  std::size_t blockBytes_ = 0;
  std::size_t offset_ = 0;
  std::size_t size_ = 0;
};

}  // namespace aehost
