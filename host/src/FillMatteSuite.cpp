// "PF Fill Matte Suite" version 2, and the utils table's fill / fill16.
#include "HostCallbacks_p.h"
#include "Unsimulated_p.h"
#include "aehost/Host.h"
#include "aehost/WorldOps.h"

namespace aehost {
namespace {

// A NULL colour fills with transparent black, as PF_FILL(NULL, NULL, world) is used to clear.
template <typename Pixel>
PF_Err fill(const char* callback, PF_ProgPtr effectRef, const Pixel* color, const PF_Rect* rect, PF_EffectWorld* world) {
  Host* host = hostForEffect(effectRef, callback);
  if (host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  const auto format = host->worlds().validate(world, callback);
  if (!format) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(host, "fill")) return fault;
  fillWorld(*world, *format, rect, color == nullptr ? Pixel{} : *color);
  return PF_Err_NONE;
}

PF_Err fill8(PF_ProgPtr effectRef, const PF_Pixel* color, const PF_Rect* rect, PF_EffectWorld* world) {
  return fill("PF_FillMatteSuite2.fill", effectRef, color, rect, world);
}

PF_Err fill16(PF_ProgPtr effectRef, const PF_Pixel16* color, const PF_Rect* rect, PF_EffectWorld* world) {
  return fill("PF_FillMatteSuite2.fill16", effectRef, color, rect, world);
}

PF_Err fillFloat(PF_ProgPtr effectRef, const PF_PixelFloat* color, const PF_Rect* rect, PF_EffectWorld* world) {
  return fill("PF_FillMatteSuite2.fill_float", effectRef, color, rect, world);
}

PF_FillMatteSuite2 makeSuite() {
  PF_FillMatteSuite2 fillMatte{};
  fillMatte.fill = fill8;
  fillMatte.fill16 = fill16;
  fillMatte.fill_float = fillFloat;
  AEHOST_UNSIMULATED(fillMatte, premultiply);
  AEHOST_UNSIMULATED(fillMatte, premultiply_color);
  AEHOST_UNSIMULATED(fillMatte, premultiply_color16);
  AEHOST_UNSIMULATED(fillMatte, premultiply_color_float);
  return fillMatte;
}

}  // namespace

PF_Err utilsFill(PF_ProgPtr effectRef, const PF_Pixel* color, const PF_Rect* rect, PF_EffectWorld* world) {
  return fill("utils.fill", effectRef, color, rect, world);
}

PF_Err utilsFill16(PF_ProgPtr effectRef, const PF_Pixel16* color, const PF_Rect* rect, PF_EffectWorld* world) {
  return fill("utils.fill16", effectRef, color, rect, world);
}

const PF_FillMatteSuite2& fillMatteSuite2() {
  static const PF_FillMatteSuite2 table = makeSuite();
  return table;
}

}  // namespace aehost
