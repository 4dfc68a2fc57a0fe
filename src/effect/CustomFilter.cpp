#include "effect/CustomFilter.h"

#include <new>

#include "framework/EffectHooks.h"

BaseFilter& constructEffectFilter() {
  alignas(CustomFilter) static unsigned char storage[sizeof(CustomFilter)];
  return *new (storage) CustomFilter();
}
