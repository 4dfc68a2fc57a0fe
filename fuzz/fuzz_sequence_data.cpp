// Flattened sequence data as a project hands it back at re-setup, however damaged: the
// effect takes it or refuses it, then renders, leaving nothing behind.
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzedEffect.h"
#include "aehost/Mask.h"
#include "aehost/RenderRequest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  inkline_fuzz::FuzzedEffect& effect = inkline_fuzz::fuzzedEffect();
  effect.freshInstance(/*setUpSequence=*/false);
  effect.instance().sequenceResetup(std::span(reinterpret_cast<const std::byte*>(data), size));
  effect.instance().layer().clearMasks();
  effect.instance().layer().addMask(aehost::rectangleMask("Box", 4, 4, 28, 20));
  effect.instance().renderFrame(aehost::RenderRequest::atFrame(0, 8));
  effect.finishInstance("re-setup and a render");
  return 0;
}
