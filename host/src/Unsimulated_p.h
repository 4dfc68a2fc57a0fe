#pragma once

#include <algorithm>
#include <cstddef>
#include <type_traits>

#include "AE_Effect.h"
#include "HostCallbacks_p.h"

namespace aehost {

// A string usable as a template argument, so each stub names the callback it stands for.
template <std::size_t N>
struct CallbackName {
  constexpr CallbackName(const char (&text)[N]) { std::copy_n(text, N, chars); }
  char chars[N];
};

// A stand-in for a callback the host does not simulate yet, with exactly the callback's
// signature: records that it was reached and fails as After Effects does for a bad call.
template <CallbackName Name, typename Fn>
struct Unsimulated;

template <typename R>
R unsimulatedResult() {
  if constexpr (std::is_void_v<R>) {
    return;
  } else if constexpr (std::is_pointer_v<R>) {
    return nullptr;
  } else {
    return static_cast<R>(PF_Err_BAD_CALLBACK_PARAM);
  }
}

template <CallbackName Name, typename R, typename... Args>
struct Unsimulated<Name, R (*)(Args...)> {
  static R call(Args...) {
    noteUnsimulated(Name.chars);
    return unsimulatedResult<R>();
  }
};

template <CallbackName Name, typename R, typename... Args>
struct Unsimulated<Name, R (*)(Args..., ...)> {
  static R call(Args..., ...) {
    noteUnsimulated(Name.chars);
    return unsimulatedResult<R>();
  }
};

// table.member = a stub of the member's own type, named "table.member".
#define AEHOST_UNSIMULATED(table, member) \
  (table).member = ::aehost::Unsimulated<#table "." #member, decltype((table).member)>::call

}  // namespace aehost
