#pragma once

#include <string_view>

namespace aehost {

class Host;

// SDK callbacks carry no context (host_new_handle(size), AcquireSuite(name, ...)), so the host
// serving them is found through the thread's current scope. Every command runs inside one;
// tests that call the basic suite or the handle callbacks directly open their own.
// Scopes nest; the innermost wins and the previous one is restored on destruction. The
// activity text must outlive the scope (a literal or a command name).
class HostScope {
 public:
  explicit HostScope(Host& host, std::string_view activity = "test code", const void* effectRef = nullptr);
  ~HostScope();
  HostScope(const HostScope&) = delete;
  HostScope& operator=(const HostScope&) = delete;

 private:
  Host* previousHost_;
  std::string_view previousActivity_;
  const void* previousEffectRef_;
};

// The host of the innermost scope on this thread, or nullptr outside any scope.
Host* currentHost();
// What the host is doing ("PF_Cmd_SEQUENCE_SETUP"); "no host scope" outside any scope.
std::string_view currentActivity();
// The effect_ref of the instance whose command is running, or nullptr.
const void* currentEffectRef();

}  // namespace aehost
