// What a render's commands call back: inter.progress and inter.abort, and the SmartFX
// checkout callbacks of PF_PreRenderCallbacks and PF_SmartRenderCallbacks.
#include "RenderCallbacks_p.h"

#include <string>

#include "HostCallbacks_p.h"
#include "RenderContext_p.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"

namespace aehost {
namespace {

// The render whose command is running, if effect_ref names its instance.
RenderContext* renderFor(PF_ProgPtr effectRef, const char* callback) {
  Host* host = hostForEffect(effectRef, callback);
  if (host == nullptr) return nullptr;
  RenderContext* render = currentRenderContext();
  if (render == nullptr) host->recordProblem("[" + std::string(currentActivity()) + "] " + callback + ": called outside a render");
  return render;
}

void problem(RenderContext& render, const char* callback, const std::string& what) {
  render.host().recordProblem("[" + std::string(currentActivity()) + "] " + callback + ": " + what);
}

bool inPhase(RenderContext& render, RenderContext::Phase phase, const char* callback, const char* command) {
  if (render.phase == phase) return true;
  problem(render, callback, std::string("may be called only during ") + command);
  return false;
}

PF_Err checkoutLayer(PF_ProgPtr effectRef, PF_ParamIndex index, A_long checkoutId, const PF_RenderRequest* request,
                     A_long /*whatTime*/, A_long /*timeStep*/, A_u_long timeScale, PF_CheckoutResult* result) {
  const char* callback = "PF_PreRenderCallbacks.checkout_layer";
  RenderContext* render = renderFor(effectRef, callback);
  if (render == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (!inPhase(*render, RenderContext::Phase::PreRender, callback, "PF_Cmd_SMART_PRE_RENDER")) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(currentHost(), "checkoutLayer")) return fault;
  if (request == nullptr || result == nullptr) {
    problem(*render, callback, "NULL request or result");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (timeScale == 0) {
    problem(*render, callback, "time_scale 0");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (index != 0) {
    problem(*render, callback, "not yet simulated: layer parameters other than the input layer (index " +
                                   std::to_string(index) + ")");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (render->layerCheckouts.contains(checkoutId)) {
    problem(*render, callback, "checkout id " + std::to_string(checkoutId) + " used twice");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  // The layer's pixels do not change with time, and the whole layer is always available.
  PF_CheckoutResult checkout{};
  checkout.result_rect = render->layerRect();
  checkout.max_result_rect = render->layerRect();
  checkout.par = PF_RationalScale{1, 1};
  checkout.ref_width = render->fullWidth();
  checkout.ref_height = render->fullHeight();
  *result = checkout;
  render->layerCheckouts.emplace(checkoutId, checkout);
  return PF_Err_NONE;
}

PF_Err checkoutLayerPixels(PF_ProgPtr effectRef, A_long checkoutId, PF_EffectWorld** pixels) {
  const char* callback = "PF_SmartRenderCallbacks.checkout_layer_pixels";
  RenderContext* render = renderFor(effectRef, callback);
  if (render == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (!inPhase(*render, RenderContext::Phase::SmartRender, callback, "PF_Cmd_SMART_RENDER")) return PF_Err_BAD_CALLBACK_PARAM;
  if (pixels == nullptr) {
    problem(*render, callback, "NULL world pointer");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  *pixels = nullptr;
  if (!render->layerCheckouts.contains(checkoutId)) {
    problem(*render, callback, "checkout id " + std::to_string(checkoutId) + " was not checked out in the pre-render");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (const PF_Err fault = injectedFault(currentHost(), "checkoutLayerPixels")) return fault;
  const PF_Err err = render->inputWorld(pixels);
  if (err == PF_Err_NONE) ++render->openPixelCheckouts[checkoutId];
  return err;
}

PF_Err checkinLayerPixels(PF_ProgPtr effectRef, A_long checkoutId) {
  const char* callback = "PF_SmartRenderCallbacks.checkin_layer_pixels";
  RenderContext* render = renderFor(effectRef, callback);
  if (render == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  int& open = render->openPixelCheckouts[checkoutId];
  if (open == 0) {
    problem(*render, callback, "checkout id " + std::to_string(checkoutId) + " has no pixels checked out");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  --open;
  return PF_Err_NONE;
}

PF_Err checkoutOutput(PF_ProgPtr effectRef, PF_EffectWorld** output) {
  const char* callback = "PF_SmartRenderCallbacks.checkout_output";
  RenderContext* render = renderFor(effectRef, callback);
  if (render == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (!inPhase(*render, RenderContext::Phase::SmartRender, callback, "PF_Cmd_SMART_RENDER")) return PF_Err_BAD_CALLBACK_PARAM;
  if (output == nullptr) {
    problem(*render, callback, "NULL world pointer");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  *output = nullptr;
  if (const PF_Err fault = injectedFault(currentHost(), "checkoutOutput")) return fault;
  return render->outputWorld(render->resultRect, output);
}

}  // namespace

PF_Err progressCallback(PF_ProgPtr effectRef, A_long current, A_long total) {
  Host* host = hostForEffect(effectRef, "inter.progress");
  if (host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(host, "progressCallback")) return fault;
  RenderContext* render = currentRenderContext();
  return render == nullptr ? PF_Err_NONE : render->progress(current, total);
}

PF_Err abortCallback(PF_ProgPtr effectRef) {
  Host* host = hostForEffect(effectRef, "inter.abort");
  if (host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(host, "abortCallback")) return fault;
  RenderContext* render = currentRenderContext();
  return render == nullptr ? PF_Err_NONE : render->abort();
}

PF_PreRenderCallbacks makePreRenderCallbacks() {
  PF_PreRenderCallbacks callbacks{};
  callbacks.checkout_layer = checkoutLayer;
  return callbacks;
}

PF_SmartRenderCallbacks makeSmartRenderCallbacks() {
  PF_SmartRenderCallbacks callbacks{};
  callbacks.checkout_layer_pixels = checkoutLayerPixels;
  callbacks.checkin_layer_pixels = checkinLayerPixels;
  callbacks.checkout_output = checkoutOutput;
  return callbacks;
}

}  // namespace aehost
