// Memory the host keeps for reuse (disposed worlds, results let go) stays unaddressable under
// AddressSanitizer until it is handed out again, so a use after its owner is gone is still
// caught. Elsewhere these do nothing.
#pragma once

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define AEHOST_POISONS_KEPT_MEMORY 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define AEHOST_POISONS_KEPT_MEMORY 1
#endif
#endif
#if defined(AEHOST_POISONS_KEPT_MEMORY)
#include <sanitizer/asan_interface.h>
#endif

namespace aehost {

inline void markKept(const void* block, std::size_t bytes) {
#if defined(AEHOST_POISONS_KEPT_MEMORY)
  ASAN_POISON_MEMORY_REGION(block, bytes);
#else
  (void)block;
  (void)bytes;
#endif
}

inline void markInUse(const void* block, std::size_t bytes) {
#if defined(AEHOST_POISONS_KEPT_MEMORY)
  ASAN_UNPOISON_MEMORY_REGION(block, bytes);
#else
  (void)block;
  (void)bytes;
#endif
}

}  // namespace aehost
