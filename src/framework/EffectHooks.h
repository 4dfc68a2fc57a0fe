// What the framework needs from the effect built on it.
#pragma once

#include "AE_Effect.h"

class BaseFilter;

// Constructs the effect's filter in static storage (called once, on the first call).
BaseFilter& constructEffectFilter();

// Builds the effect's parameter objects into the registry (on the first call).
void buildEffectParameters();

// The parameter panel's update: greys out what the current switches make irrelevant.
PF_Err updateParameterPanel(PF_InData* in_data, PF_ParamDef* params[]);
