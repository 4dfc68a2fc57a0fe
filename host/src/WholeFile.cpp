#include "aehost/WholeFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

namespace aehost {

namespace {

std::filesystem::path temporaryBeside(const std::filesystem::path& file) {
  static std::atomic<unsigned> counter{0};
  return file.parent_path() / ("." + file.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                               std::to_string(counter++));
}

}  // namespace

WholeFile::WholeFile(std::filesystem::path target) : target_(std::move(target)), temporary_(temporaryBeside(target_)) {
  const std::filesystem::path folder = target_.has_parent_path() ? target_.parent_path() : std::filesystem::path(".");
#if defined(O_TMPFILE)
  fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  unnamed_ = fd_ >= 0;
#endif
  if (fd_ < 0) {
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    named_ = fd_ >= 0;
  }
  if (fd_ < 0) throw std::runtime_error("cannot create " + temporary_.string() + ": " + std::strerror(errno));
}

WholeFile::~WholeFile() {
  if (fd_ >= 0) ::close(fd_);
  if (named_) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
  }
}

void WholeFile::finish(bool sync) {
  std::string why;
  if (sync && ::fsync(fd_) != 0) why = std::strerror(errno);
  if (why.empty() && unnamed_) {
    // Named through /proc (linking the descriptor itself needs privileges): straight under
    // the target's name when that is free, so no other name ever shows; else under the
    // temporary name, renamed over the target below.
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      // The name was free: a close that fails (a late write error) takes the file away again,
      // so a failure never leaves a file behind.
      if (::close(std::exchange(fd_, -1)) != 0) {
        why = std::strerror(errno);
        ::unlink(target_.c_str());
        throw std::runtime_error(why);
      }
      return;
    }
    if (errno != EEXIST) {
      why = std::string("cannot name the written file: ") + std::strerror(errno);
    } else if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      named_ = true;
    } else {
      why = std::string("cannot name the written file: ") + std::strerror(errno);
    }
  }
  // Closed before the rename: a close that fails leaves the target as it was.
  if (::close(std::exchange(fd_, -1)) != 0 && why.empty()) why = std::strerror(errno);
  if (why.empty()) {
    std::error_code renamed;
    std::filesystem::rename(temporary_, target_, renamed);
    if (!renamed) {
      named_ = false;
    } else {
      why = renamed.message();
    }
  }
  if (!why.empty()) throw std::runtime_error(why);
}

}  // namespace aehost
