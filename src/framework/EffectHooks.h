// What the framework needs from the effect built on it.
#pragma once

class BaseFilter;

// Constructs the effect's filter in static storage (called once, on the first call).
BaseFilter& constructEffectFilter();

// Builds the effect's parameter objects into the registry (on the first call).
void buildEffectParameters();
