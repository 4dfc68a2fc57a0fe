// What the program does, one function a mode. Each returns the exit code and throws
// InputError / RenderFailure for main to report.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "Arguments.h"

namespace inkline_cli {

int printAbout(const Arguments& arguments);
int printVersion(const Arguments& arguments);  // the renderer's and the module's
int listParameters(const Arguments& arguments);
int listMasks(const Arguments& arguments);  // the scene's masks, without the plug-in
int renderScene(const Arguments& arguments);
int saveDefaults(const Arguments& arguments);   // the scene's values become the stored defaults
int resetDefaults(const Arguments& arguments);  // the stored defaults are removed

// Prints "host: ..." lines for what the host noticed; returns the exit code they imply.
int reportHostProblems(const std::vector<std::string>& problems);

}  // namespace inkline_cli
