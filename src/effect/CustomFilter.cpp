#include "effect/CustomFilter.h"

#include <new>

#include "framework/EffectHooks.h"
#include "params/ParamRegistry.h"

BaseFilter& constructEffectFilter() {
  alignas(CustomFilter) static unsigned char storage[sizeof(CustomFilter)];
  return *new (storage) CustomFilter();
}

void buildEffectParameters() {
  ParamRegistry& registry = ParamRegistry::instance();
  registry.clear();
  registry.complete();
}
