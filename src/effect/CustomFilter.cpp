#include "effect/CustomFilter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>

#include "effect/ParamIds.h"
#include "framework/EffectHooks.h"
#include "framework/Rects.h"
#include "framework/RenderData.h"
#include "params/ParamRegistry.h"
#include "render/driver/RenderDriver.h"

namespace {

// trunc(num / den · size + 0.5)
A_long scaledSize(A_long size, const PF_RationalScale& scale) {
  const double scaled = static_cast<double>(scale.num) / static_cast<double>(scale.den) * size + 0.5;
  if (std::isnan(scaled)) return 0;
  return static_cast<A_long>(std::clamp(scaled, -2147483648.0, 2147483647.0));
}

// Cut to 16 bits and sign-extended, as the host's rectangles of this age are.
A_long sixteenBits(A_long size) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(size) & 0xFFFFu));
}

}  // namespace

BaseFilter& constructEffectFilter() {
  alignas(CustomFilter) static unsigned char storage[sizeof(CustomFilter)];
  return *new (storage) CustomFilter();
}

PF_Err CustomFilter::queryDynamicFlags(PF_InData* in_data, PF_OutData* out_data) {
  const PF_ParamIndex index = ParamRegistry::instance().indexOfId(ParamId::RandomInterval);
  PF_ParamDef def{};
  const PF_Err err = in_data->inter.checkout_param(in_data->effect_ref, index, in_data->current_time,
                                                   in_data->time_step, in_data->time_scale, &def);
  if (err == PF_Err_NONE) in_data->inter.checkin_param(in_data->effect_ref, &def);
  if (def.u.sd.value != 0) {
    out_data->out_flags |= PF_OutFlag_WIDE_TIME_INPUT;
  } else {
    out_data->out_flags &= ~PF_OutFlag_WIDE_TIME_INPUT;
  }
  return PF_Err_NONE;
}

PF_Err CustomFilter::preRenderHook(PF_InData* in_data, PF_OutData*, PF_PreRenderExtra* extra, RenderData&) {
  PF_CheckoutResult checkout{};
  const PF_Err err = checkOutInputLayer(in_data, extra, checkout);
  A_long width = in_data->width;
  A_long height = in_data->height;
  const PF_RationalScale& dx = in_data->downsample_x;
  const PF_RationalScale& dy = in_data->downsample_y;
  if (!(dx.num == 1 && dx.den == 1 && dy.num == 1 && dy.den == 1)) {
    width = scaledSize(width, dx);
    height = scaledSize(height, dy);
  }
  width = sixteenBits(width);
  height = sixteenBits(height);
  PF_PreRenderOutput& out = *extra->output;
  out.result_rect = PF_LRect{0, 0, width, height};
  out.max_result_rect = out.result_rect;
  out.flags = PF_RenderOutputFlag_RETURNS_EXTRA_PIXELS;
  uniteRect(out.result_rect, checkout.result_rect);
  uniteRect(out.max_result_rect, checkout.max_result_rect);
  return err;
}

PF_Err CustomFilter::renderEffect(RenderData& renderData) {
  switch (renderData.pixelFormat) {
    case PF_PixelFormat_ARGB32: return renderStrokes<PF_Pixel8>(renderData);
    case PF_PixelFormat_ARGB64: return renderStrokes<PF_Pixel16>(renderData);
    case PF_PixelFormat_ARGB128: return renderStrokes<PF_PixelFloat>(renderData);
    default: return PF_Err_UNRECOGNIZED_PARAM_TYPE;
  }
}
