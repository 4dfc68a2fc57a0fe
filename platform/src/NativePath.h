// Windows paths as the stand-in's file-system calls receive them, turned into paths here.
#pragma once

#include <algorithm>
#include <string>

namespace win32standin::detail {

// The effect writes '\\' on every platform; here only '/' separates.
inline std::string nativePath(const char* path) {
  std::string result(path);
  std::replace(result.begin(), result.end(), '\\', '/');
  return result;
}

// "a/b/" names the folder "a/b"; the root "/" stays as it is.
inline std::string withoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace win32standin::detail
