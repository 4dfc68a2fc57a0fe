#pragma once

#include <filesystem>

namespace aehost {

// A copy of a module file under a name of its own. Loading the copy gives a module whose
// static state is new even if the original is loaded already, because the loader identifies
// modules by path. On Linux the copy is an anonymous memory file (memfd) loaded through
// /proc/self/fd, so no file of it ever exists that a killed process could leave behind;
// elsewhere a file under a unique temporary name, removed once loaded where the system allows
// (removeFile) and on destruction.
class PrivateModuleCopy {
 public:
  explicit PrivateModuleCopy(const std::filesystem::path& original);
  ~PrivateModuleCopy();
  PrivateModuleCopy(const PrivateModuleCopy&) = delete;
  PrivateModuleCopy& operator=(const PrivateModuleCopy&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // A file copy goes now (the path is kept for messages); a memory file stays open while it
  // names the loaded module.
  void removeFile();

 private:
  std::filesystem::path path_;
  int memoryFile_ = -1;
};

}  // namespace aehost
