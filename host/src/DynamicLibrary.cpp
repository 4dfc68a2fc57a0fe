#include "aehost/DynamicLibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace aehost {

#ifdef _WIN32

DynamicLibrary::DynamicLibrary(const std::filesystem::path& path) {
  handle_ = ::LoadLibraryW(path.c_str());
  if (handle_ == nullptr) {
    throw ModuleLoadError("cannot load " + path.string() + ": error " + std::to_string(::GetLastError()));
  }
}

DynamicLibrary::~DynamicLibrary() { ::FreeLibrary(static_cast<HMODULE>(handle_)); }

void* DynamicLibrary::symbol(const char* name) const {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(handle_), name));
}

#else

DynamicLibrary::DynamicLibrary(const std::filesystem::path& path) {
  handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* reason = ::dlerror();
    throw ModuleLoadError("cannot load " + path.string() + ": " + (reason != nullptr ? reason : "unknown error"));
  }
}

DynamicLibrary::~DynamicLibrary() { ::dlclose(handle_); }

void* DynamicLibrary::symbol(const char* name) const { return ::dlsym(handle_, name); }

#endif

}  // namespace aehost
