#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "AE_Effect.h"
#include "aehost/Composition.h"
#include "aehost/Image.h"
#include "aehost/Mask.h"
#include "aehost/PathCheckouts.h"

namespace aehost {

// The layer the effect is applied to: its pixels, the same at every time, and its masks.
// The layer fills the composition, so setting pixels sets the composition's size. Without
// pixels it is transparent black at the composition's size.
//
// Masks get PF_PathIDs 1, 2, 3, ... in the order added, never reused. Tests set everything up
// between renders; renders on other threads only read.
class Layer {
 public:
  explicit Layer(Composition& composition);
  Layer(const Layer&) = delete;
  Layer& operator=(const Layer&) = delete;

  void setPixels(Image image);
  // Shared, so a render keeps the pixels it started with.
  std::shared_ptr<const Image> pixels() const;
  // `source` (a render's pixels()) downsampled and converted as a render's input world holds
  // it; worked out once per downsampling and depth while `source` is the layer's image.
  std::shared_ptr<const Image> renderedPixels(const std::shared_ptr<const Image>& source, PF_RationalScale fx,
                                              PF_RationalScale fy, PF_PixelFormat format) const;
  A_long width() const;
  A_long height() const;
  A_u_long timeScale() const;  // the composition's, the unit of mask keyframe times

  PF_PathID addMask(Mask mask);
  void replaceMask(PF_PathID id, Mask mask);  // std::out_of_range if unknown
  void removeMask(PF_PathID id);
  void clearMasks();
  std::vector<PF_PathID> maskIds() const;  // in the order added
  std::optional<Mask> findMask(PF_PathID id) const;
  Mask mask(PF_PathID id) const;  // std::out_of_range if unknown

  // Fault injection per mask, until clearMaskFaults(): PF_CheckoutPath, or PF_PathVertexInfo
  // on its outline, fails with `err`.
  void failCheckoutOf(PF_PathID id, PF_Err err = PF_Err_OUT_OF_MEMORY);
  void failVertexInfoOf(PF_PathID id, PF_Err err = PF_Err_OUT_OF_MEMORY);
  void clearMaskFaults();
  std::optional<PF_Err> checkoutFault(PF_PathID id) const;
  std::optional<PF_Err> vertexInfoFault(PF_PathID id) const;

  // The effect's outstanding PF_CheckoutPath outlines.
  PathCheckouts& pathCheckouts() { return pathCheckouts_; }
  const PathCheckouts& pathCheckouts() const { return pathCheckouts_; }

 private:
  Composition& composition_;
  mutable std::mutex mutex_;
  std::shared_ptr<const Image> pixels_;
  struct RenderedPixels {
    PF_RationalScale fx;
    PF_RationalScale fy;
    PF_PixelFormat format;
    std::shared_ptr<const Image> image;
  };
  mutable std::vector<RenderedPixels> rendered_;  // of pixels_
  std::vector<std::pair<PF_PathID, Mask>> masks_;
  PF_PathID nextId_ = 1;
  std::map<PF_PathID, PF_Err> checkoutFaults_;
  std::map<PF_PathID, PF_Err> vertexInfoFaults_;
  PathCheckouts pathCheckouts_;
};

}  // namespace aehost
