// The problems the simulated host recorded, as the host tests read them: short names for the
// helpers aehost_testing provides.
#pragma once

#include <string>
#include <vector>

#include "aehost_testing/ProbeInstance.h"

// Every problem on a line of its own, for failure messages.
inline std::string joined(const std::vector<std::string>& problems) {
  return aehost::testing::joinedProblems(problems);
}

// Whether any problem mentions the text.
inline bool anyContains(const std::vector<std::string>& problems, const std::string& text) {
  return aehost::testing::anyProblemContains(problems, text);
}
