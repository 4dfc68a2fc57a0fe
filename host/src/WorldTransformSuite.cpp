// "PF World Transform Suite" version 1 (copy, copy_hq, transfer_rect), and the utils table's
// copy / transfer_rect.
#include <algorithm>
#include <string>

#include "HostCallbacks_p.h"
#include "Unsimulated_p.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"
#include "aehost/WorldOps.h"

namespace aehost {
namespace {

// copy_hq would filter when scaling in After Effects; here both scale nearest-neighbour.
PF_Err copy(const char* callback, PF_ProgPtr effectRef, PF_EffectWorld* src, PF_EffectWorld* dst, PF_Rect* srcRect,
            PF_Rect* dstRect) {
  Host* host = hostForEffect(effectRef, callback);
  if (host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  const auto srcFormat = host->worlds().validate(src, callback);
  if (!srcFormat) return PF_Err_BAD_CALLBACK_PARAM;
  const auto dstFormat = host->worlds().validate(dst, callback);
  if (!dstFormat) return PF_Err_BAD_CALLBACK_PARAM;
  if (const PF_Err fault = injectedFault(host, "copy")) return fault;
  copyWorld(*src, *srcFormat, *dst, *dstFormat, srcRect, dstRect);
  return PF_Err_NONE;
}

PF_Err copy1(PF_ProgPtr effectRef, PF_EffectWorld* src, PF_EffectWorld* dst, PF_Rect* srcRect, PF_Rect* dstRect) {
  return copy("PF_WorldTransformSuite1.copy", effectRef, src, dst, srcRect, dstRect);
}

PF_Err copyHq(PF_ProgPtr effectRef, PF_EffectWorld* src, PF_EffectWorld* dst, PF_Rect* srcRect, PF_Rect* dstRect) {
  return copy("PF_WorldTransformSuite1.copy_hq", effectRef, src, dst, srcRect, dstRect);
}

// The opacity of a composite mode for a destination of this format: 8-bit and float worlds
// use `opacity` (0..255), 16-bit worlds `opacitySu` (0..32768), as the SDK defines it for
// deep colour.
double opacityFor(const PF_CompositeMode& mode, PF_PixelFormat dstFormat) {
  if (dstFormat == PF_PixelFormat_ARGB64) return std::min<double>(mode.opacitySu, 32768) / 32768.0;
  return mode.opacity / 255.0;
}

PF_Err transferRect(const char* callback, PF_ProgPtr effectRef, PF_ModeFlags modeFlags, const PF_Rect* srcRect,
                    const PF_EffectWorld* src, const PF_CompositeMode* mode, const PF_MaskWorld* mask, A_long destX,
                    A_long destY, PF_EffectWorld* dst) {
  Host* host = hostForEffect(effectRef, callback);
  if (host == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  // Worded only when there is a problem: an effect may ask for many rectangles a frame.
  const auto problem = [&](const std::string& what) {
    host->recordProblem("[" + std::string(currentActivity()) + "] " + callback + ": " + what);
  };
  if (mode == nullptr) {
    problem("NULL composite mode");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  const auto srcFormat = host->worlds().validate(src, callback);
  if (!srcFormat) return PF_Err_BAD_CALLBACK_PARAM;
  const auto dstFormat = host->worlds().validate(dst, callback);
  if (!dstFormat) return PF_Err_BAD_CALLBACK_PARAM;

  const double opacity = opacityFor(*mode, *dstFormat);
  const bool straight = (modeFlags & PF_MF_Alpha_STRAIGHT) != 0;
  std::string unsimulated;
  if (mask != nullptr) unsimulated = "a mask world";
  else if (mode->rgb_only) unsimulated = "rgb_only";
  else if (mode->xfer != PF_Xfer_COPY && mode->xfer != PF_Xfer_IN_FRONT) unsimulated = "transfer mode " + std::to_string(mode->xfer);
  else if (!straight && (mode->xfer == PF_Xfer_IN_FRONT || opacity < 1.0)) unsimulated = "premultiplied alpha (PF_MF_Alpha_PREMUL)";
  if (!unsimulated.empty()) {
    problem("not yet simulated: " + unsimulated);
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (const PF_Err fault = injectedFault(host, "transferRect")) return fault;
  transferWorld(*src, *srcFormat, srcRect, *dst, *dstFormat, destX, destY,
                mode->xfer == PF_Xfer_COPY ? TransferMode::Copy : TransferMode::InFront, opacity);
  return PF_Err_NONE;
}

// Quality and field do not change the result: the host never filters or interlaces.
PF_Err transferRect1(PF_ProgPtr effectRef, PF_Quality /*quality*/, PF_ModeFlags modeFlags, PF_Field /*field*/,
                     const PF_Rect* srcRect, const PF_EffectWorld* src, const PF_CompositeMode* mode,
                     const PF_MaskWorld* mask, A_long destX, A_long destY, PF_EffectWorld* dst) {
  return transferRect("PF_WorldTransformSuite1.transfer_rect", effectRef, modeFlags, srcRect, src, mode, mask, destX,
                      destY, dst);
}

PF_WorldTransformSuite1 makeSuite() {
  PF_WorldTransformSuite1 transform{};
  AEHOST_UNSIMULATED(transform, composite_rect);
  AEHOST_UNSIMULATED(transform, blend);
  AEHOST_UNSIMULATED(transform, convolve);
  transform.copy = copy1;
  transform.copy_hq = copyHq;
  transform.transfer_rect = transferRect1;
  AEHOST_UNSIMULATED(transform, transform_world);
  return transform;
}

}  // namespace

PF_Err utilsCopy(PF_ProgPtr effectRef, PF_EffectWorld* src, PF_EffectWorld* dst, PF_Rect* srcRect, PF_Rect* dstRect) {
  return copy("utils.copy", effectRef, src, dst, srcRect, dstRect);
}

PF_Err utilsTransferRect(PF_ProgPtr effectRef, PF_Quality /*quality*/, PF_ModeFlags modeFlags, PF_Field /*field*/,
                         const PF_Rect* srcRect, const PF_EffectWorld* src, const PF_CompositeMode* mode,
                         const PF_MaskWorld* mask, A_long destX, A_long destY, PF_EffectWorld* dst) {
  return transferRect("utils.transfer_rect", effectRef, modeFlags, srcRect, src, mode, mask, destX, destY, dst);
}

const PF_WorldTransformSuite1& worldTransformSuite1() {
  static const PF_WorldTransformSuite1 table = makeSuite();
  return table;
}

}  // namespace aehost
