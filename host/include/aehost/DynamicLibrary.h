#pragma once

#include <filesystem>
#include <stdexcept>

namespace aehost {

class ModuleLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A loaded shared library / DLL, unloaded on destruction. dlopen(RTLD_NOW | RTLD_LOCAL) on
// POSIX so that unresolved symbols fail at load and nothing leaks into the test process.
class DynamicLibrary {
 public:
  explicit DynamicLibrary(const std::filesystem::path& path);
  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  void* symbol(const char* name) const;  // nullptr if absent
  void* nativeHandle() const { return handle_; }

 private:
  void* handle_ = nullptr;
};

}  // namespace aehost
