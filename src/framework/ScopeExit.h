// Runs a clean-up once: explicitly, where its result matters, or when the scope ends, also
// when an exception passes. For host calls that hand something back (check-ins), which must
// happen on every way out.
#pragma once

#include <utility>

template <typename CleanUp>
class ScopeExit {
public:
  explicit ScopeExit(CleanUp cleanUp) : cleanUp_(std::move(cleanUp)) {}
  ~ScopeExit() {
    if (pending_) cleanUp_();
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

  // Runs the clean-up now (if it has not run) and returns its result.
  auto run() {
    pending_ = false;
    return cleanUp_();
  }

private:
  CleanUp cleanUp_;
  bool pending_ = true;
};
