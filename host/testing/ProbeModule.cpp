#include "aehost_testing/ProbeModule.h"

#include <stdexcept>

namespace aehost::testing {

std::filesystem::path probeEffectPath() { return AEHOST_PROBE_EFFECT_PATH; }

ProbeControl& probeControl(const PluginModule& module) {
  const auto control = reinterpret_cast<AEHostProbeControlFunc>(module.symbol(kAEHostProbeControlSymbol));
  if (control == nullptr) throw std::runtime_error("module does not export " + std::string(kAEHostProbeControlSymbol));
  return *control();
}

}  // namespace aehost::testing
