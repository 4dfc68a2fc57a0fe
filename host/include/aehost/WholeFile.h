#pragma once

#include <filesystem>

namespace aehost {

// A file written so that it is there whole or not at all, however the process ends: the bytes
// go to an unnamed file in the target's folder (O_TMPFILE) where the file system offers one,
// else to a hidden temporary name beside the target. finish() links an unnamed file straight
// under the target's name when that is free; a file already there is replaced in one step by a
// rename from the temporary name (a process killed between the two leaves that hidden name).
// An unnamed file vanishes with the process even when it is killed; one not finished is
// removed when the object goes.
class WholeFile {
 public:
  // Throws std::runtime_error saying why when no file can be created.
  explicit WholeFile(std::filesystem::path target);
  ~WholeFile();
  WholeFile(const WholeFile&) = delete;
  WholeFile& operator=(const WholeFile&) = delete;

  int descriptor() const { return fd_; }
  // On the disk first when `sync`. Throws std::runtime_error saying why; nothing is left then.
  void finish(bool sync);

 private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;  // a name beside the target
  int fd_ = -1;
  bool unnamed_ = false;
  bool named_ = false;  // the temporary name exists
};

}  // namespace aehost
