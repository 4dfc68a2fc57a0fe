#include "HostCallbacks_p.h"
#include "RenderContext_p.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"
#include "aehost/Parameters.h"

namespace aehost {

// The problem texts are made only when there is a problem: an effect calls these dozens of times
// a frame.
Parameters* parametersForCallback(PF_ProgPtr effectRef, const char* callback) {
  Host* host = hostForEffect(effectRef, callback);
  if (host == nullptr) return nullptr;
  Parameters* parameters = host->parametersFor(effectRef);
  if (parameters == nullptr) {
    host->recordProblem("[" + std::string(currentActivity()) + "] " + callback + ": effect_ref names no effect instance");
  }
  return parameters;
}

PF_Err addParamCallback(PF_ProgPtr effectRef, PF_ParamIndex index, PF_ParamDefPtr def) {
  Parameters* parameters = parametersForCallback(effectRef, "inter.add_param");
  if (parameters == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(currentHost(), "addParamCallback")) return fault;
  return parameters->add(index, def);
}

PF_Err checkoutParamCallback(PF_ProgPtr effectRef, PF_ParamIndex index, A_long whatTime, A_long timeStep,
                             A_u_long timeScale, PF_ParamDef* param) {
  Parameters* parameters = parametersForCallback(effectRef, "inter.checkout_param");
  if (parameters == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(currentHost(), "checkoutParamCallback")) return fault;
  const PF_Err err = parameters->checkout(index, whatTime, timeStep, timeScale, param);
  // During a render the input layer comes with its pixels: the render's input world, at the
  // render's depth and downsampling (the layer is the same at every time).
  RenderContext* render = currentRenderContext();
  if (err != PF_Err_NONE || index != 0 || render == nullptr) return err;
  PF_EffectWorld* world = nullptr;
  if (const PF_Err worldErr = render->inputWorld(&world); worldErr != PF_Err_NONE) {
    parameters->checkin(param);
    return worldErr;
  }
  param->u.ld = *world;
  return PF_Err_NONE;
}

PF_Err checkinParamCallback(PF_ProgPtr effectRef, PF_ParamDef* param) {
  Parameters* parameters = parametersForCallback(effectRef, "inter.checkin_param");
  return parameters == nullptr ? PF_Err_BAD_CALLBACK_PARAM : parameters->checkin(param);
}

}  // namespace aehost
