// The host's options command (PF_Cmd_DO_DIALOG): the options dialog, then what the user
// chose done to the settings file. Succeeds whatever happens.
#pragma once

#include "AE_Effect.h"

void runOptionsCommand(PF_InData* in_data, PF_ParamDef* params[]);
