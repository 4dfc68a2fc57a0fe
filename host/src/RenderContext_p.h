#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "AE_Effect.h"
#include "aehost/Composition.h"
#include "aehost/Image.h"
#include "aehost/RenderRequest.h"
#include "aehost/RenderResult.h"

namespace aehost {

class Host;
class Layer;

// Everything one renderFrame call owns: its time and resolution, the worlds it hands out, the
// layer checkouts of its pre-render, its progress record. The callbacks of the render's
// commands find it through the thread's current RenderContextScope; nothing in it is shared
// with other renders, so renders on different threads do not meet here.
class RenderContext {
 public:
  enum class Phase { PreRender, SmartRender, Classic };

  RenderContext(Host& host, Layer& layer, const void* effectRef, const RenderRequest& request,
                const Composition& composition);
  ~RenderContext();
  RenderContext(const RenderContext&) = delete;
  RenderContext& operator=(const RenderContext&) = delete;

  Host& host() { return host_; }
  Layer& layer() { return layer_; }
  const void* effectRef() const { return effectRef_; }
  const RenderRequest& request() const { return request_; }
  PF_PixelFormat format() const { return format_; }
  A_long timeTicks() const { return timeTicks_; }
  A_long fullWidth() const { return fullWidth_; }
  A_long fullHeight() const { return fullHeight_; }
  A_long width() const { return width_; }    // of the downsampled layer
  A_long height() const { return height_; }
  PF_LRect layerRect() const { return PF_LRect{0, 0, width_, height_}; }

  Phase phase = Phase::PreRender;

  // The input layer at the render's depth and downsampling, made on first use.
  PF_Err inputWorld(PF_EffectWorld** world);
  // A cleared world of the rect's size, made on first use; origin_x/origin_y are the rect's
  // top-left corner.
  PF_Err outputWorld(const PF_LRect& rect, PF_EffectWorld** world);
  // Copies the output into the result and disposes every world, checking its guards.
  void releaseWorlds(RenderResult& result);

  // SmartFX: checkout_layer in the pre-render, pixel checkouts in the render.
  std::map<A_long, PF_CheckoutResult> layerCheckouts;
  std::map<A_long, int> openPixelCheckouts;
  PF_LRect resultRect{};  // the pre-render's, the size of the SmartFX output

  PF_Err progress(A_long current, A_long total);
  PF_Err abort();
  std::vector<ProgressCall> progressCalls() const;
  int abortCalls() const;

 private:
  Host& host_;
  Layer& layer_;
  const void* effectRef_;
  RenderRequest request_;
  PF_PixelFormat format_;
  A_long timeTicks_;
  A_long fullWidth_;
  A_long fullHeight_;
  A_long width_;
  A_long height_;
  std::shared_ptr<const Image> layerPixels_;
  std::optional<PF_EffectWorld> input_;
  std::optional<PF_EffectWorld> output_;
  PF_LRect outputRect_{};
  mutable std::mutex mutex_;  // effects may report progress from their own helper threads
  std::vector<ProgressCall> progress_;
  int abortCalls_ = 0;
};

// The render whose command is running on this thread, or nullptr.
RenderContext* currentRenderContext();

class RenderContextScope {
 public:
  explicit RenderContextScope(RenderContext& context);
  ~RenderContextScope();
  RenderContextScope(const RenderContextScope&) = delete;
  RenderContextScope& operator=(const RenderContextScope&) = delete;

 private:
  RenderContext* previous_;
};

}  // namespace aehost
