#pragma once

// One host, one freshly loaded probe and one instance of it, set up as After Effects does
// before it renders: for tests of rendering through the probe.

#include <string>
#include <vector>

#include "aehost/EffectInstance.h"
#include "aehost/Host.h"
#include "aehost/PluginModule.h"
#include "aehost_testing/ProbeModule.h"

namespace aehost::testing {

struct ProbeInstance {
  Host host;
  PluginModule module{probeEffectPath()};
  ProbeControl& probe = probeControl(module);
  EffectInstance instance{host, module};

  // GLOBAL_SETUP, PARAMS_SETUP, SEQUENCE_SETUP; and their setdowns.
  void setUp() {
    instance.globalSetup();
    instance.paramsSetup();
    instance.sequenceSetup();
  }
  void tearDown() {
    instance.sequenceSetdown();
    instance.globalSetdown();
  }
};

inline std::string joinedProblems(const std::vector<std::string>& problems) {
  std::string all;
  for (const std::string& p : problems) all += p + "\n";
  return all;
}

inline bool anyProblemContains(const std::vector<std::string>& problems, const std::string& text) {
  for (const std::string& p : problems) {
    if (p.find(text) != std::string::npos) return true;
  }
  return false;
}

}  // namespace aehost::testing
