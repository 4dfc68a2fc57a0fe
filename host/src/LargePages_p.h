// Large pixel blocks on large pages where the system offers them. A stroke's rows are short
// runs spread over a frame of tens of megabytes; with 4 KiB pages nearly every run starts
// with a page-table walk.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace aehost {

// Blocks from this size on are worth it.
inline constexpr std::size_t kLargePageBlockBytes = std::size_t{4} << 20;

// Asks for large pages over the whole 2 MiB pages inside a block not touched yet; a hint,
// whose refusal changes nothing.
inline void adviseLargePages(void* block, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  if (bytes < kLargePageBlockBytes) return;
  constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t last = (start + bytes) & ~(kLargePage - 1);
  if (first < last) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)block;
  (void)bytes;
#endif
}

}  // namespace aehost
