// A render of random parameters (within and beyond their ranges, NaN, infinities) and random
// masks through the simulated host on a small layer, in all three depths and both paths.
#include <cstddef>
#include <cstdint>

#include "FuzzedEffect.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  inkline_fuzz::FuzzedEffect& effect = inkline_fuzz::fuzzedEffect();
  effect.freshInstance();
  effect.chooseMasks(provider);
  effect.chooseParameters(provider);
  effect.renderOnce(provider);
  effect.finishInstance("a render");
  return 0;
}
