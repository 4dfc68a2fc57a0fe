#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace aehost {

// Misbehaviour noticed while it happened (bad dispose, unknown handle, unsimulated call).
// Thread-safe: callbacks may arrive from render threads.
class ProblemLog {
 public:
  void record(std::string problem);
  std::vector<std::string> entries() const;
  void clear();

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> entries_;
};

}  // namespace aehost
