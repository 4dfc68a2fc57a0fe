#include "RenderContext_p.h"

#include <stdexcept>

#include "aehost/Host.h"
#include "aehost/HostScope.h"
#include "aehost/Layer.h"
#include "aehost/PixelFormats.h"
#include "aehost/WorldOps.h"

namespace aehost {
namespace {

thread_local RenderContext* tCurrentRender = nullptr;

}  // namespace

RenderContext::RenderContext(Host& host, Layer& layer, const void* effectRef, const RenderRequest& request,
                             const Composition& composition)
    : host_(host),
      layer_(layer),
      effectRef_(effectRef),
      request_(request),
      format_(formatForBitDepth(request.bitDepth)),
      timeTicks_(request.timeTicks ? *request.timeTicks : request.frame * composition.timeStep),
      layerPixels_(layer.pixels()) {
  fullWidth_ = layerPixels_->width();
  fullHeight_ = layerPixels_->height();
  width_ = downsampledSize(fullWidth_, request.downsampleX);
  height_ = downsampledSize(fullHeight_, request.downsampleY);
}

RenderContext::~RenderContext() {
  RenderResult ignored;
  releaseWorlds(ignored);
}

PF_Err RenderContext::inputWorld(PF_EffectWorld** world) {
  if (!input_) {
    const std::shared_ptr<const Image> pixels =
        layer_.renderedPixels(layerPixels_, request_.downsampleX, request_.downsampleY, format_);
    PF_EffectWorld made{};
    const PF_Err err = host_.worlds().createHolding(pixels, WorldOwner::Host, &made);
    if (err != PF_Err_NONE) return err;
    input_ = made;
  }
  *world = &*input_;
  return PF_Err_NONE;
}

PF_Err RenderContext::outputWorld(const PF_LRect& rect, PF_EffectWorld** world) {
  if (!output_) {
    // Not cleared: an effect writes every output pixel, and a pixel it forgot shows the
    // pattern the registry fills uncleared worlds with (tests keep one; a renderer need not
    // pay for a pass over the frame). Its memory is the result's to be: see releaseWorlds.
    PF_EffectWorld made{};
    const PF_Err err = host_.worlds().create(rect.right - rect.left, rect.bottom - rect.top, format_, false,
                                             WorldOwner::Host, &made, host_.resultMemory());
    if (err != PF_Err_NONE) return err;
    made.origin_x = rect.left;
    made.origin_y = rect.top;
    output_ = made;
    outputRect_ = rect;
  }
  *world = &*output_;
  return PF_Err_NONE;
}

void RenderContext::releaseWorlds(RenderResult& result) {
  const HostScope scope(host_, "host releasing the render's worlds", effectRef_);
  WorldRegistry& worlds = host_.worlds();
  if (output_) {
    if (worlds.info(*output_)) {
      // The output world's pixels become the result as they lie where its rows are packed as
      // an image's; a copy is a pass over the whole frame.
      if (std::optional<Image> pixels = worlds.disposeIntoImage(*output_, "the render's output world")) {
        result.image = std::move(*pixels);
      } else {
        result.image = imageFromWorld(*output_, format_, host_.resultMemory());
        worlds.dispose(&*output_, "the render's output world", WorldOwner::Host);
      }
      result.outputRect = outputRect_;
    }
    output_.reset();
  }
  if (input_) {
    if (worlds.info(*input_)) worlds.dispose(&*input_, "the render's input world", WorldOwner::Host);
    input_.reset();
  }
}

PF_Err RenderContext::progress(A_long current, A_long total) {
  bool cancel = false;
  {
    const std::lock_guard lock(mutex_);
    progress_.push_back({current, total});
    const bool byCount =
        request_.cancelAtProgressCall > 0 && static_cast<int>(progress_.size()) >= request_.cancelAtProgressCall;
    const bool byValue = request_.cancelWhenProgressReaches && current >= *request_.cancelWhenProgressReaches;
    cancel = byCount || byValue;
  }
  // Outside the lock: the listener may take locks of its own.
  if (request_.onProgress) request_.onProgress(current, total);
  return cancel ? PF_Interrupt_CANCEL : PF_Err_NONE;
}

PF_Err RenderContext::abort() {
  bool cancel = false;
  {
    const std::lock_guard lock(mutex_);
    ++abortCalls_;
    cancel = request_.cancelAtAbortCall > 0 && abortCalls_ >= request_.cancelAtAbortCall;
  }
  // Outside the lock, as for progress.
  if (request_.onAbort) request_.onAbort();
  return cancel ? PF_Interrupt_CANCEL : PF_Err_NONE;
}

std::vector<ProgressCall> RenderContext::progressCalls() const {
  const std::lock_guard lock(mutex_);
  return progress_;
}

int RenderContext::abortCalls() const {
  const std::lock_guard lock(mutex_);
  return abortCalls_;
}

RenderContext* currentRenderContext() { return tCurrentRender; }

RenderContextScope::RenderContextScope(RenderContext& context) : previous_(tCurrentRender) { tCurrentRender = &context; }

RenderContextScope::~RenderContextScope() { tCurrentRender = previous_; }

}  // namespace aehost
