#include "InstallPaths.h"

#include <system_error>

namespace inkline_cli {

namespace {

// `relative` to the folder of the running executable, when that file exists; else `built`.
std::filesystem::path besideExecutable(const char* relative, const char* built) {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const std::filesystem::path installed = (self.parent_path() / relative).lexically_normal();
    if (std::filesystem::is_regular_file(installed, ec)) return installed;
  }
  return built;
}

}  // namespace

std::filesystem::path defaultModulePath() { return besideExecutable(INKLINE_INSTALLED_MODULE, INKLINE_DEFAULT_MODULE_PATH); }

std::filesystem::path demoScenePath() { return besideExecutable(INKLINE_INSTALLED_DEMO_SCENE, INKLINE_DEMO_SCENE); }

}  // namespace inkline_cli
