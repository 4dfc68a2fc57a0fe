#pragma once

#include <filesystem>

namespace aehost {

// A copy of a module file under a unique temporary name, deleted on destruction. Loading the
// copy gives a module whose static state is new even if the original is loaded already,
// because the loader identifies modules by path.
class PrivateModuleCopy {
 public:
  explicit PrivateModuleCopy(const std::filesystem::path& original);
  ~PrivateModuleCopy();
  PrivateModuleCopy(const PrivateModuleCopy&) = delete;
  PrivateModuleCopy& operator=(const PrivateModuleCopy&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace aehost
