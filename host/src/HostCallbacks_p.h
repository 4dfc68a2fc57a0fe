#pragma once

#include "aehost/CallbackTables.h"

namespace aehost {

class Parameters;

// The parameters of the instance effect_ref names, for a callback; nullptr (with a problem
// recorded) when it is not the instance whose command is running.
Parameters* parametersForCallback(PF_ProgPtr effectRef, const char* callback);

// inter.add_param, inter.checkout_param, inter.checkin_param.
PF_Err addParamCallback(PF_ProgPtr effectRef, PF_ParamIndex index, PF_ParamDefPtr def);
PF_Err checkoutParamCallback(PF_ProgPtr effectRef, PF_ParamIndex index, A_long whatTime, A_long timeStep,
                             A_u_long timeScale, PF_ParamDef* param);
PF_Err checkinParamCallback(PF_ProgPtr effectRef, PF_ParamDef* param);

// Records "not yet simulated: <what>" with the current host, if any.
void noteUnsimulated(const char* what);

}  // namespace aehost
