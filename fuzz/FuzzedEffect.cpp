#include "FuzzedEffect.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "aehost/Mask.h"
#include "aehost/RenderRequest.h"

namespace inkline_fuzz {
namespace {

// A number around `typical`: usually an ordinary one, sometimes an extreme.
double chooseNumber(FuzzedDataProvider& data, double low, double high) {
  switch (data.ConsumeIntegralInRange<int>(0, 9)) {
    case 0: return std::numeric_limits<double>::quiet_NaN();
    case 1: return data.ConsumeBool() ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
    case 2: return data.ConsumeFloatingPoint<double>();  // anything a double holds
    case 3: return data.ConsumeFloatingPointInRange<double>(low - 10 * (high - low + 1), high + 10 * (high - low + 1));
    default: return data.ConsumeFloatingPointInRange<double>(low, high);
  }
}

}  // namespace

FuzzedEffect::FuzzedEffect() : module_(INKLINE_MODULE_PATH) {}

void FuzzedEffect::freshInstance(bool setUpSequence) {
  instance_ = std::make_unique<aehost::EffectInstance>(host_, module_);
  instance_->layer().setPixels(aehost::Image::filled(kWidth, kHeight, PF_Pixel8{255, 200, 190, 180}));
  instance_->globalSetup();
  instance_->paramsSetup();
  if (setUpSequence) instance_->sequenceSetup();
}

void FuzzedEffect::chooseMasks(FuzzedDataProvider& data) {
  instance_->layer().clearMasks();
  const int masks = data.ConsumeIntegralInRange<int>(0, 3);
  for (int m = 0; m < masks; ++m) {
    aehost::Mask mask;
    mask.closed = data.ConsumeBool();
    const int vertices = data.ConsumeIntegralInRange<int>(1, 6);
    for (int v = 0; v < vertices; ++v) {
      auto coordinate = [&](double size) { return chooseNumber(data, -size, 2 * size); };
      const double x = coordinate(kWidth), y = coordinate(kHeight);
      if (data.ConsumeBool()) {
        mask.vertices.push_back(aehost::MaskVertex::corner(x, y));
      } else {
        mask.vertices.push_back({{x, y}, {coordinate(kWidth), coordinate(kHeight)}, {coordinate(kWidth), coordinate(kHeight)}});
      }
    }
    instance_->layer().addMask(mask);
  }
}

void FuzzedEffect::chooseParameters(FuzzedDataProvider& data) {
  aehost::Parameters& params = instance_->parameters();
  for (PF_ParamIndex i = 1; i < params.count() && data.remaining_bytes() > 0; ++i) {
    if (!data.ConsumeBool()) continue;  // keep this one as it is
    const PF_ParamDef def = params.definition(i);
    switch (def.param_type) {
      case PF_Param_FLOAT_SLIDER:
        params.setFloat(i, chooseNumber(data, def.u.fs_d.valid_min, def.u.fs_d.valid_max));
        break;
      case PF_Param_SLIDER:
        params.setSlider(i, data.ConsumeBool() ? data.ConsumeIntegral<A_long>()
                                               : data.ConsumeIntegralInRange<A_long>(def.u.sd.valid_min, def.u.sd.valid_max));
        break;
      case PF_Param_ANGLE: params.setAngleDegrees(i, chooseNumber(data, -720, 720)); break;
      case PF_Param_CHECKBOX: params.setCheckbox(i, data.ConsumeBool()); break;
      case PF_Param_COLOR:
        params.setColor(i, aehost::ColorValue{255, data.ConsumeIntegral<A_u_char>(), data.ConsumeIntegral<A_u_char>(),
                                              data.ConsumeIntegral<A_u_char>()});
        break;
      default: break;
    }
  }
}

void FuzzedEffect::renderOnce(FuzzedDataProvider& data) {
  const int depths[] = {8, 16, 32};
  const int depth = depths[data.ConsumeIntegralInRange<int>(0, 2)];
  aehost::RenderRequest request = aehost::RenderRequest::atFrame(data.ConsumeIntegralInRange<A_long>(0, 48), depth);
  request.cancelAtAbortCall = kAbortChecksPerRender;
  request.path = depth != 32 && data.ConsumeBool() ? aehost::RenderPath::Classic : aehost::RenderPath::Smart;
  const aehost::RenderResult result = instance_->renderFrame(request);
  if (result.ok() && depth == 32) {
    // No float render may carry a channel that is not a number.
    const auto bytes = result.image.bytes();
    for (std::size_t at = 0; at + sizeof(float) <= bytes.size(); at += sizeof(float)) {
      float channel;
      std::memcpy(&channel, bytes.data() + at, sizeof channel);
      if (!std::isfinite(channel)) {
        std::fprintf(stderr, "float render with a non-finite channel at byte %zu\n", at);
        std::abort();
      }
    }
  }
}

void FuzzedEffect::finishInstance(const char* when) {
  if (instance_->sequenceData() != nullptr) instance_->sequenceSetdown();
  instance_.reset();
  const std::vector<std::string> problems = host_.problems();
  if (problems.empty()) return;
  std::fprintf(stderr, "the host noticed, after %s:\n", when);
  for (const std::string& problem : problems) std::fprintf(stderr, "  %s\n", problem.c_str());
  std::abort();
}

FuzzedEffect& fuzzedEffect() {
  static FuzzedEffect effect;
  return effect;
}

}  // namespace inkline_fuzz
