// One host suite acquired for the length of a scope and released with the same name and
// version on every way out. Unlike SuiteHandler it does not throw: callers that can do
// without the suite test it.
#pragma once

#include "SPBasic.h"

template <typename Suite>
class ScopedSuite {
public:
  ScopedSuite(const SPBasicSuite* basic, const char* name, int version) noexcept
      : basic_(basic), name_(name), version_(version) {
    if (basic_ == nullptr) return;
    const void* suite = nullptr;
    if (basic_->AcquireSuite(name_, version_, &suite) == kSPNoError) {
      acquired_ = true;
      suite_ = static_cast<const Suite*>(suite);
    }
  }
  ~ScopedSuite() {
    if (acquired_) basic_->ReleaseSuite(name_, version_);
  }
  ScopedSuite(const ScopedSuite&) = delete;
  ScopedSuite& operator=(const ScopedSuite&) = delete;

  // Null when the host refused the suite or handed out none.
  const Suite* get() const { return suite_; }
  const Suite* operator->() const { return suite_; }
  explicit operator bool() const { return suite_ != nullptr; }

private:
  const SPBasicSuite* basic_;
  const char* name_;
  int version_;
  bool acquired_ = false;
  const Suite* suite_ = nullptr;
};
