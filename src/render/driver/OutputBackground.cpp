#include "render/driver/OutputBackground.h"

#include <algorithm>
#include <cstdint>

#include "framework/SuiteHandler.h"

namespace {

// Outputs from this size lay their background down as the strokes come: a smaller one (a
// 1080p frame of 8 or 16 bits, 8 or 16 MB) is still cached after one copy up front when the
// strokes are laid over it, and that copy, a pass over whole rows, is the faster.
constexpr std::uint64_t kDeferredBackgroundBytes = std::uint64_t{20} << 20;

bool outputFitsCaches(const PF_EffectWorld& output) {
  const auto rowBytes = static_cast<std::uint64_t>(std::max<A_long>(output.rowbytes, 0));
  return rowBytes * static_cast<std::uint64_t>(std::max<A_long>(output.height, 0)) < kDeferredBackgroundBytes;
}

// Fills a rectangle with transparent black, with the fill function of the world's depth.
PF_Err clearWorld(PF_InData* in_data, SuiteHandler& suites, PF_PixelFormat format, const PF_Rect* rect,
                  PF_EffectWorld* world) {
  const PF_FillMatteSuite2* fill = suites.fillMatteSuite();
  switch (format) {
    case PF_PixelFormat_ARGB64: {
      const PF_Pixel16 transparent{};
      return fill->fill16(in_data->effect_ref, &transparent, rect, world);
    }
    case PF_PixelFormat_ARGB128: {
      const PF_PixelFloat transparent{};
      return fill->fill_float(in_data->effect_ref, &transparent, rect, world);
    }
    default: {
      const PF_Pixel transparent{};
      return fill->fill(in_data->effect_ref, &transparent, rect, world);
    }
  }
}

// Same size, same place: the copy is pixel for pixel onto every output pixel.
bool layerCoversOutput(const PF_EffectWorld& input, const PF_EffectWorld& output) {
  return input.origin_x == output.origin_x && input.origin_y == output.origin_y && input.width == output.width &&
         input.height == output.height;
}

// The layer's `source` rectangle onto the output's `destination` (of the same size unless the
// host clips it), with the copy of the render's quality.
PF_Err copyLayer(PF_InData* in_data, SuiteHandler& suites, PF_EffectWorld* input, PF_EffectWorld* output,
                 PF_Rect source, PF_Rect destination) {
  const PF_WorldTransformSuite1* transform = suites.worldTransformSuite();
  return in_data->quality == PF_Quality_HI
             ? transform->copy_hq(in_data->effect_ref, input, output, &source, &destination)
             : transform->copy(in_data->effect_ref, input, output, &source, &destination);
}

}  // namespace

OutputBackground::OutputBackground(PF_InData* in_data, SuiteHandler& suites, PF_PixelFormat format,
                                   PF_EffectWorld* input, PF_EffectWorld* output)
    : inData_(in_data),
      suites_(suites),
      format_(format),
      input_(input),
      output_(output),
      replacesEveryPixel_(input_ == nullptr || layerCoversOutput(*input_, *output_)) {
  if (replacesEveryPixel_ && !outputFitsCaches(*output_)) pending_.emplace(output_->width, output_->height);
}

PF_Err OutputBackground::begin() {
  if (pending_) return PF_Err_NONE;
  const PF_Rect whole{0, 0, output_->width, output_->height};
  // Transparent black, or the layer copied over the whole output (every pixel replaced: no
  // clear before it).
  if (replacesEveryPixel_) return lay(whole);
  // The layer placed by the two worlds' origins over a cleared output; the destination is kept
  // within the output (the host clips what remains).
  if (const PF_Err err = clearWorld(inData_, suites_, format_, &whole, output_)) return err;
  const A_long dx = input_->origin_x - output_->origin_x;
  const A_long dy = input_->origin_y - output_->origin_y;
  const PF_Rect destination{std::min(dx, output_->width), std::min(dy, output_->height),
                            std::min(input_->width + dx, output_->width),
                            std::min(input_->height + dy, output_->height)};
  return copyLayer(inData_, suites_, input_, output_, PF_Rect{0, 0, input_->width, input_->height}, destination);
}

PF_Err OutputBackground::prepare(const PF_LRect& rect) {
  if (!pending_) return PF_Err_NONE;
  return pending_->take(rect.top, rect.bottom, [this](const PF_LRect& rows) { return lay(rows); });
}

PF_Err OutputBackground::finish() {
  if (!pending_) return PF_Err_NONE;
  return pending_->takeAll([this](const PF_LRect& rows) { return lay(rows); });
}

PF_Err OutputBackground::lay(const PF_LRect& rect) {
  const PF_Rect area = rect;
  if (input_ == nullptr) return clearWorld(inData_, suites_, format_, &area, output_);
  return copyLayer(inData_, suites_, input_, output_, area, area);
}
