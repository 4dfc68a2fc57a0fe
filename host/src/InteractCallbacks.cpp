#include "HostCallbacks_p.h"
#include "Unsimulated_p.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"

namespace aehost {

Host* hostForEffect(PF_ProgPtr effectRef, const char* callback) {
  Host* host = currentHost();
  if (host == nullptr) return nullptr;
  if (effectRef == nullptr || effectRef != currentEffectRef()) {
    host->recordProblem("[" + std::string(currentActivity()) + "] " + callback +
                        ": effect_ref is not the one passed in in_data");
    return nullptr;
  }
  return host;
}

PF_InteractCallbacks makeInteractCallbacks() {
  PF_InteractCallbacks inter{};
  inter.checkout_param = checkoutParamCallback;
  inter.checkin_param = checkinParamCallback;
  inter.add_param = addParamCallback;
  inter.abort = abortCallback;
  inter.progress = progressCallback;
  AEHOST_UNSIMULATED(inter, register_ui);
  AEHOST_UNSIMULATED(inter, checkout_layer_audio);
  AEHOST_UNSIMULATED(inter, checkin_layer_audio);
  AEHOST_UNSIMULATED(inter, get_audio_data);
  return inter;
}

}  // namespace aehost
