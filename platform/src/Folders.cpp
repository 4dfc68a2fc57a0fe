#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>

#include "NativePath.h"
#include "win32standin/Environment.h"

namespace fs = std::filesystem;
using win32standin::detail::nativePath;
using win32standin::detail::withoutTrailingSeparators;

namespace {

std::mutex gAppDataMutex;
std::string gAppDataOverride;  // guarded by gAppDataMutex

// Where Linux keeps per-user settings: the XDG base directory, ignored when relative as the
// XDG rules say.
std::optional<std::string> appDataFolder() {
  {
    const std::lock_guard lock(gAppDataMutex);
    if (!gAppDataOverride.empty()) return withoutTrailingSeparators(nativePath(gAppDataOverride.c_str()));
  }
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
    return withoutTrailingSeparators(xdg);
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    std::string folder = withoutTrailingSeparators(home);
    if (folder.back() != '/') folder += '/';
    return folder + ".config";
  }
  return std::nullopt;
}

// SHCreateDirectoryEx goes through CreateDirectory, which takes MAX_PATH - 12 characters at most
// (room for an 8.3 file name inside); the same limit here keeps effect code honest.
constexpr std::size_t kMaxFolderPathLength = MAX_PATH - 12 - 1;

}  // namespace

namespace win32standin {

void setAppDataFolder(const std::string& path) {
  const std::lock_guard lock(gAppDataMutex);
  gAppDataOverride = path;
}

}  // namespace win32standin

BOOL WINAPI SHGetSpecialFolderPathA(HWND /*owner*/, LPSTR path, int csidl, BOOL create) {
  if (path == nullptr) return FALSE;
  path[0] = '\0';
  if ((csidl & ~CSIDL_FLAG_MASK) != CSIDL_APPDATA) return FALSE;
  const bool mustCreate = create != FALSE || (csidl & CSIDL_FLAG_CREATE) != 0;
  const bool verify = (csidl & CSIDL_FLAG_DONT_VERIFY) == 0;

  const std::optional<std::string> folder = appDataFolder();
  if (!folder || folder->size() >= static_cast<std::size_t>(MAX_PATH)) return FALSE;
  std::error_code ec;
  if (mustCreate) {
    fs::create_directories(*folder, ec);
    if (ec || !fs::is_directory(*folder, ec)) return FALSE;
  } else if (verify && !fs::is_directory(*folder, ec)) {
    return FALSE;
  }
  std::memcpy(path, folder->c_str(), folder->size() + 1);
  return TRUE;
}

int WINAPI SHCreateDirectoryExA(HWND /*owner*/, LPCSTR path, const SECURITY_ATTRIBUTES* /*securityAttributes*/) {
  if (path == nullptr || path[0] == '\0') return static_cast<int>(ERROR_BAD_PATHNAME);
  const std::string folder = withoutTrailingSeparators(nativePath(path));
  if (folder[0] != '/') return static_cast<int>(ERROR_BAD_PATHNAME);  // relative paths are refused
  if (std::strlen(path) > kMaxFolderPathLength) return static_cast<int>(ERROR_FILENAME_EXCED_RANGE);

  std::error_code ec;
  const fs::file_status status = fs::status(folder, ec);
  if (fs::exists(status)) {
    return static_cast<int>(fs::is_directory(status) ? ERROR_ALREADY_EXISTS : ERROR_FILE_EXISTS);
  }
  fs::create_directories(folder, ec);
  if (!ec) return static_cast<int>(ERROR_SUCCESS);
  if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
      ec == std::errc::read_only_file_system) {
    return static_cast<int>(ERROR_ACCESS_DENIED);
  }
  return static_cast<int>(ERROR_PATH_NOT_FOUND);  // e.g. a file where a parent folder should be
}
