// An empty application-data folder for the plug-in while the benchmarks run, so that stored
// defaults the user saved on this machine cannot change what a scene draws. Removed afterwards.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include <stdlib.h>

#include "win32standin/Environment.h"

namespace inkline_bench {

class IsolatedAppData {
 public:
  IsolatedAppData() {
    std::string pattern = (std::filesystem::temp_directory_path() / "inkline-bench-appdata-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder like " + pattern);
    folder_ = pattern;
    win32standin::setAppDataFolder(folder_.string());
  }
  ~IsolatedAppData() {
    win32standin::setAppDataFolder("");
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  IsolatedAppData(const IsolatedAppData&) = delete;
  IsolatedAppData& operator=(const IsolatedAppData&) = delete;

 private:
  std::filesystem::path folder_;
};

}  // namespace inkline_bench
