// Where the renderer finds the plug-in module and the demo scene: beside itself as installed
// (bin/../lib/inkline, bin/../share/inkline), else where the build tree has them.
#pragma once

#include <filesystem>

namespace inkline_cli {

std::filesystem::path defaultModulePath();
std::filesystem::path demoScenePath();

}  // namespace inkline_cli
