#pragma once

#include "aehost/CallbackTables.h"
#include "aehost/Host.h"

namespace aehost {

class Host;
class Parameters;

// The host serving a callback that names effect_ref: nullptr (with a problem recorded) when it
// is not the instance whose command is running, or outside any host scope.
Host* hostForEffect(PF_ProgPtr effectRef, const char* callback);

// The parameters of the instance effect_ref names, for a callback; nullptr (with a problem
// recorded) when it is not the instance whose command is running.
Parameters* parametersForCallback(PF_ProgPtr effectRef, const char* callback);

// inter.add_param, inter.checkout_param, inter.checkin_param.
PF_Err addParamCallback(PF_ProgPtr effectRef, PF_ParamIndex index, PF_ParamDefPtr def);
PF_Err checkoutParamCallback(PF_ProgPtr effectRef, PF_ParamIndex index, A_long whatTime, A_long timeStep,
                             A_u_long timeScale, PF_ParamDef* param);
PF_Err checkinParamCallback(PF_ProgPtr effectRef, PF_ParamDef* param);

// inter.abort and inter.progress.
PF_Err abortCallback(PF_ProgPtr effectRef);
PF_Err progressCallback(PF_ProgPtr effectRef, A_long current, A_long total);

// The world callbacks the suites and the older utils table share.
PF_Err utilsNewWorld(PF_ProgPtr effectRef, A_long width, A_long height, PF_NewWorldFlags flags, PF_EffectWorld* world);
PF_Err utilsDisposeWorld(PF_ProgPtr effectRef, PF_EffectWorld* world);
PF_Err utilsFill(PF_ProgPtr effectRef, const PF_Pixel* color, const PF_Rect* rect, PF_EffectWorld* world);
PF_Err utilsFill16(PF_ProgPtr effectRef, const PF_Pixel16* color, const PF_Rect* rect, PF_EffectWorld* world);
PF_Err utilsCopy(PF_ProgPtr effectRef, PF_EffectWorld* src, PF_EffectWorld* dst, PF_Rect* srcRect, PF_Rect* dstRect);
PF_Err utilsTransferRect(PF_ProgPtr effectRef, PF_Quality quality, PF_ModeFlags modeFlags, PF_Field field,
                         const PF_Rect* srcRect, const PF_EffectWorld* src, const PF_CompositeMode* mode,
                         const PF_MaskWorld* mask, A_long destX, A_long destY, PF_EffectWorld* dst);

// The error a fault-injection sweep gives this call (Host::failNthHostCall), else
// PF_Err_NONE; every call that can fail asks once, before doing anything.
inline PF_Err injectedFault(Host* host, const char* callback) {
  PF_Err err = PF_Err_NONE;
  if (host != nullptr) host->injectCallFault(callback, err);
  return err;
}

// Records "not yet simulated: <what>" with the current host, if any.
void noteUnsimulated(const char* what);

}  // namespace aehost
