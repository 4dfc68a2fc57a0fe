// On Windows the PiPL is a resource (Inkline.rc). Elsewhere the module carries the same
// bytes in an ELF section named ".pipl", where a host can find them without calling in.
#include "resources/PiPLBytes.h"

#ifndef _WIN32
namespace {

constexpr auto trimmed() {
  std::array<std::uint8_t, inkline::resources::kPiPLImage.size> out{};
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = inkline::resources::kPiPLImage.bytes[i];
  return out;
}

[[gnu::section(".pipl"), gnu::used]] constexpr auto kPiPLSection = trimmed();

}  // namespace
#endif
