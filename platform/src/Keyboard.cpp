#include <windows.h>

#include <array>
#include <atomic>

#include "win32standin/Environment.h"

namespace {
std::array<std::atomic<bool>, 256> gKeyHeld{};
}

namespace win32standin {

void setKeyHeld(int virtualKey, bool held) {
  if (virtualKey >= 0 && virtualKey < static_cast<int>(gKeyHeld.size())) gKeyHeld[virtualKey].store(held);
}

}  // namespace win32standin

SHORT WINAPI GetKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey >= static_cast<int>(gKeyHeld.size())) return 0;
  return gKeyHeld[virtualKey].load() ? static_cast<SHORT>(0x8000) : SHORT{0};
}
