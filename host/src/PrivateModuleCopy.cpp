#include "aehost/PrivateModuleCopy.h"

#include <atomic>
#include <random>
#include <string>

#include "aehost/DynamicLibrary.h"

namespace aehost {
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

PrivateModuleCopy::~PrivateModuleCopy() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace aehost
