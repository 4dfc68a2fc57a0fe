#include "aehost/PrivateModuleCopy.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#if defined(__linux__)
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "aehost/DynamicLibrary.h"

namespace aehost {

#if defined(__linux__)

namespace {

// The module's bytes in an anonymous memory file.
int memoryCopyOf(const std::filesystem::path& original) {
  const int source = ::open(original.c_str(), O_RDONLY | O_CLOEXEC);
  if (source < 0) throw ModuleLoadError("cannot read " + original.string() + ": " + std::strerror(errno));
  const int copy = ::memfd_create(("aehost-" + original.filename().string()).c_str(), MFD_CLOEXEC);
  bool ok = copy >= 0;
  std::vector<char> buffer(1 << 16);
  while (ok) {
    const ssize_t got = ::read(source, buffer.data(), buffer.size());
    if (got == 0) break;
    ok = got > 0 && ::write(copy, buffer.data(), static_cast<std::size_t>(got)) == got;
  }
  const int error = errno;
  ::close(source);
  if (!ok) {
    if (copy >= 0) ::close(copy);
    throw ModuleLoadError("cannot copy " + original.string() + " into memory: " + std::strerror(error));
  }
  return copy;
}

}  // namespace

PrivateModuleCopy::PrivateModuleCopy(const std::filesystem::path& original) {
  memoryFile_ = memoryCopyOf(original);
  // The loader matches modules by the name they were loaded under first: a module loaded
  // from this descriptor number before and still in memory would be handed back instead of
  // the copy. Such a number is passed over for a higher one.
  std::vector<int> passedOver;
  while (true) {
    path_ = "/proc/self/fd/" + std::to_string(memoryFile_);
    void* loaded = ::dlopen(path_.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (loaded == nullptr) break;
    ::dlclose(loaded);
    passedOver.push_back(memoryFile_);
    memoryFile_ = ::fcntl(memoryFile_, F_DUPFD_CLOEXEC, memoryFile_ + 1);
    if (memoryFile_ < 0) break;
  }
  for (const int fd : passedOver) ::close(fd);
  if (memoryFile_ < 0) throw ModuleLoadError("cannot find a free name to load " + original.string() + " under");
}

PrivateModuleCopy::~PrivateModuleCopy() { ::close(memoryFile_); }

void PrivateModuleCopy::removeFile() {}

#else

namespace {

std::string uniqueTag() {
  static const auto processTag = std::random_device{}();
  static std::atomic<unsigned> counter{0};
  return std::to_string(processTag) + "-" + std::to_string(counter.fetch_add(1));
}

}  // namespace

PrivateModuleCopy::PrivateModuleCopy(const std::filesystem::path& original) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (int attempt = 0; attempt < 16; ++attempt) {
    path_ = fs::temp_directory_path() / ("aehost-" + uniqueTag() + "-" + original.filename().string());
    if (fs::copy_file(original, path_, fs::copy_options::none, error)) return;
    if (error != std::errc::file_exists) break;
  }
  throw ModuleLoadError("cannot copy " + original.string() + " to " + path_.string() + ": " + error.message());
}

PrivateModuleCopy::~PrivateModuleCopy() { removeFile(); }

void PrivateModuleCopy::removeFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

#endif

}  // namespace aehost
