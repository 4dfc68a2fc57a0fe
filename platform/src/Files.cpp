#include <windows.h>

#include <filesystem>
#include <system_error>

#include "NativePath.h"

namespace fs = std::filesystem;
using win32standin::detail::nativePath;
using win32standin::detail::withoutTrailingSeparators;

BOOL WINAPI DeleteFileA(LPCSTR fileName) {
  if (fileName == nullptr || *fileName == '\0') return FALSE;
  const fs::path path = withoutTrailingSeparators(nativePath(fileName));
  std::error_code ec;
  // A link is deleted itself, never what it points to; folders are RemoveDirectoryA's.
  const fs::file_status status = fs::symlink_status(path, ec);
  if (ec || !fs::exists(status) || fs::is_directory(status)) return FALSE;
  return fs::remove(path, ec) && !ec ? TRUE : FALSE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR pathName) {
  if (pathName == nullptr || *pathName == '\0') return FALSE;
  const fs::path path = withoutTrailingSeparators(nativePath(pathName));
  std::error_code ec;
  if (!fs::is_directory(fs::symlink_status(path, ec)) || ec) return FALSE;
  // fs::remove on a folder is rmdir, which refuses one that is not empty.
  return fs::remove(path, ec) && !ec ? TRUE : FALSE;
}
