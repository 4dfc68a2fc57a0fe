#include "aehost/HostScope.h"

namespace aehost {
namespace {

thread_local Host* tCurrentHost = nullptr;
thread_local std::string_view tCurrentActivity = "no host scope";
thread_local const void* tCurrentEffectRef = nullptr;

}  // namespace

HostScope::HostScope(Host& host, std::string_view activity, const void* effectRef)
    : previousHost_(tCurrentHost), previousActivity_(tCurrentActivity), previousEffectRef_(tCurrentEffectRef) {
  tCurrentHost = &host;
  tCurrentActivity = activity;
  tCurrentEffectRef = effectRef;
}

HostScope::~HostScope() {
  tCurrentHost = previousHost_;
  tCurrentActivity = previousActivity_;
  tCurrentEffectRef = previousEffectRef_;
}

Host* currentHost() { return tCurrentHost; }
std::string_view currentActivity() { return tCurrentActivity; }
const void* currentEffectRef() { return tCurrentEffectRef; }

}  // namespace aehost
