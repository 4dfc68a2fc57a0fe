// Asking for memory ahead of its use: the rim pass reads a few rows of each disc's recorded
// shape, and the shapes of a radius together are far larger than the core's caches.
#pragma once

#include <cstddef>
#include <cstdint>

namespace raster {

// Asks for the cache lines of bytes first … first + bytes − 1 (a hint only, never a fault).
inline void prefetchBytes(const void* first, std::size_t bytes) {
#if defined(__GNUC__)
  constexpr std::uintptr_t kLine = 64;
  const auto start = reinterpret_cast<std::uintptr_t>(first) & ~(kLine - 1);
  const auto end = reinterpret_cast<std::uintptr_t>(first) + bytes;
  for (std::uintptr_t at = start; at < end; at += kLine) __builtin_prefetch(reinterpret_cast<const void*>(at));
#else
  (void)first;
  (void)bytes;
#endif
}

}  // namespace raster
