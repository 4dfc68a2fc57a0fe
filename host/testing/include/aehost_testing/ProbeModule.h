#pragma once

#include <filesystem>

#include "aehost/PluginModule.h"
#include "aehost_testing/ProbeControl.h"

namespace aehost::testing {

// The probe effect module built beside the host: a small scripted effect for testing the
// host itself.
std::filesystem::path probeEffectPath();

// The control block of a loaded probe module (each private copy has its own).
ProbeControl& probeControl(const PluginModule& module);

}  // namespace aehost::testing
