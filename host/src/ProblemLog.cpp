#include "aehost/ProblemLog.h"

namespace aehost {

void ProblemLog::record(std::string problem) {
  const std::lock_guard lock(mutex_);
  entries_.push_back(std::move(problem));
}

std::vector<std::string> ProblemLog::entries() const {
  const std::lock_guard lock(mutex_);
  return entries_;
}

void ProblemLog::clear() {
  const std::lock_guard lock(mutex_);
  entries_.clear();
}

}  // namespace aehost
