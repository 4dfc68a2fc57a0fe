#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "AE_Effect.h"
#include "aehost/FourCharCode.h"

namespace aehost {

// What the simulated application says about itself. Changing a value between commands is
// how a test pretends to be another application or release.
struct HostOptions {
  A_long applId = static_cast<A_long>(fourCharCode("FXTC"));  // After Effects
  PF_SpecVersion specVersion{13, 27};
  std::string language = "en_US";                    // what PF_AppGetLanguage reports
  // get_platform_data(PF_PlatData_MAIN_WND); 0: the host's own main window (Host::mainWindow).
  std::uintptr_t mainWindowHandle = 0;
  bool provideBasicSuite = true;                     // false: in_data->pica_basicP is NULL
  std::optional<std::uint8_t> newMemoryFill = 0xA5;  // pattern for new handle memory; read once, by Host()
  // Worlds: bytes after each row's pixels (a multiple of 16), whether writes there count as a
  // problem, and the pattern of pixels not cleared at creation. Read once, by Host().
  A_long worldRowPaddingBytes = 32;
  bool checkWorldRowPadding = true;
  std::optional<std::uint8_t> unclearedWorldFill = 0xA5;
};

}  // namespace aehost
