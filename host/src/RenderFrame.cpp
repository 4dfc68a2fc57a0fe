// EffectInstance::renderFrame: one frame through SmartFX or the classic render commands.
#include <stdexcept>
#include <string>

#include "HostCallbacks_p.h"
#include "RenderCallbacks_p.h"
#include "RenderContext_p.h"
#include "aehost/CommandNames.h"
#include "aehost/EffectInstance.h"
#include "aehost/HostScope.h"

namespace aehost {

bool EffectInstance::supportsSmartRender() const {
  return (module_.pipl().globalOutFlags2.value_or(0) & PF_OutFlag2_SUPPORTS_SMART_RENDER) != 0;
}

bool EffectInstance::supportsThreadedRendering() const {
  return (module_.pipl().globalOutFlags2.value_or(0) & PF_OutFlag2_SUPPORTS_THREADED_RENDERING) != 0;
}

// in_data as a render command gets it: the frame's time, the render's quality, field and
// downsampling. width and height stay the layer's full size; extent_hint is the downsampled
// layer, the area the output covers.
PF_InData EffectInstance::renderInData(PF_Cmd cmd, const RenderContext& render, PF_UtilCallbacks* utils) const {
  PF_InData in = makeInData(cmd, sequenceData_, utils);
  const RenderRequest& request = render.request();
  in.current_time = render.timeTicks();
  in.quality = request.quality;
  in.field = request.field;
  in.width = render.fullWidth();
  in.height = render.fullHeight();
  in.extent_hint = render.layerRect();
  in.downsample_x = request.downsampleX;
  in.downsample_y = request.downsampleY;
  return in;
}

RenderResult EffectInstance::renderFrame(const RenderRequest& request) {
  const bool smart = request.path == RenderPath::Smart || (request.path == RenderPath::Automatic && supportsSmartRender());
  if (!smart && request.bitDepth == 32) {
    throw std::invalid_argument("aehost: float renders need SmartFX; After Effects never sends PF_Cmd_RENDER in 32 bits");
  }
  RenderContext render(host_, layer_, effectRef(), request, composition_);
  const RenderContextScope current(render);
  RenderResult result = smart ? renderSmart(render) : renderClassic(render);
  result.smart = smart;
  result.bitDepth = request.bitDepth;
  result.timeTicks = render.timeTicks();
  result.progress = render.progressCalls();
  result.abortCalls = render.abortCalls();
  {
    const HostScope scope(host_, smart ? "PF_Cmd_SMART_RENDER" : "PF_Cmd_RENDER", effectRef());
    parameters_.renderEnded();
  }
  render.releaseWorlds(result);
  return result;
}

void EffectInstance::checkPixelCheckinsBalanced(const RenderContext& render) {
  for (const auto& [id, open] : render.openPixelCheckouts) {
    if (open > 0) {
      problem(commandName(PF_Cmd_SMART_RENDER), "checkout_layer_pixels of checkout id " + std::to_string(id) +
                                                    " was not checked in (" + std::to_string(open) + "x)");
    }
  }
}

void EffectInstance::deletePreRenderData(const PF_PreRenderOutput& output, RenderResult& result) {
  if (output.delete_pre_render_data_func == nullptr) return;
  const HostScope scope(host_, "host deleting the pre-render data", effectRef());
  try {
    output.delete_pre_render_data_func(output.pre_render_data);
  } catch (...) {
    problem("host deleting the pre-render data", "an exception escaped delete_pre_render_data_func");
  }
  result.preRenderDataDeleted = true;
}

RenderResult EffectInstance::renderSmart(RenderContext& render) {
  RenderResult result;
  PF_UtilCallbacks utils = makeUtilCallbacks();

  PF_PreRenderInput preInput{};
  preInput.output_request.rect = render.layerRect();
  preInput.output_request.field = render.request().field;
  preInput.output_request.channel_mask = PF_ChannelMask_ARGB;
  preInput.bitdepth = static_cast<short>(render.request().bitDepth);
  PF_PreRenderOutput preOutput{};
  PF_PreRenderCallbacks preCallbacks = makePreRenderCallbacks();
  PF_PreRenderExtra preExtra{&preInput, &preOutput, &preCallbacks};

  render.phase = RenderContext::Phase::PreRender;
  PF_InData preIn = renderInData(PF_Cmd_SMART_PRE_RENDER, render, &utils);
  const CommandResult pre = callEntry(PF_Cmd_SMART_PRE_RENDER, preIn, nullptr, nullptr, &preExtra);
  result.preRenderErr = pre.err;
  result.preRender = preOutput;
  result.err = pre.err;
  result.message = pre.message;

  render.resultRect = preOutput.result_rect;
  if (pre.err == PF_Err_NONE && !(preOutput.result_rect.left >= preOutput.result_rect.right ||
                                  preOutput.result_rect.top >= preOutput.result_rect.bottom)) {
    PF_SmartRenderInput input{};
    input.output_request = preInput.output_request;
    input.bitdepth = preInput.bitdepth;
    input.pre_render_data = preOutput.pre_render_data;
    PF_SmartRenderCallbacks callbacks = makeSmartRenderCallbacks();
    PF_SmartRenderExtra extra{&input, &callbacks};

    render.phase = RenderContext::Phase::SmartRender;
    PF_InData in = renderInData(PF_Cmd_SMART_RENDER, render, &utils);
    const CommandResult rendered = callEntry(PF_Cmd_SMART_RENDER, in, nullptr, nullptr, &extra);
    result.err = rendered.err;
    result.message = rendered.message;
    checkPixelCheckinsBalanced(render);
  }
  deletePreRenderData(preOutput, result);
  return result;
}

RenderResult EffectInstance::renderClassic(RenderContext& render) {
  RenderResult result;
  render.phase = RenderContext::Phase::Classic;
  PF_EffectWorld* input = nullptr;
  PF_EffectWorld* output = nullptr;
  {
    const HostScope scope(host_, "host preparing PF_Cmd_RENDER", effectRef());
    result.err = render.inputWorld(&input);
    if (result.err == PF_Err_NONE) result.err = render.outputWorld(render.layerRect(), &output);
  }
  if (result.err != PF_Err_NONE) return result;

  std::vector<PF_ParamDef> definitions = parameters_.definitionsAt(render.timeTicks());
  if (!definitions.empty()) definitions[0].u.ld = *input;
  ParamsArray params;
  params.fill(std::move(definitions));
  PF_UtilCallbacks utils = makeUtilCallbacks();

  // After Effects passes the frame data FRAME_SETUP returns to RENDER and FRAME_SETDOWN; the
  // effect disposes it at FRAME_SETDOWN.
  PF_InData setupIn = renderInData(PF_Cmd_FRAME_SETUP, render, &utils);
  const CommandResult setup = callEntry(PF_Cmd_FRAME_SETUP, setupIn, params.data(), output, nullptr);
  result.err = setup.err;
  result.message = setup.message;
  if (setup.err != PF_Err_NONE) return result;
  const bool resized = (setup.out.width != 0 && setup.out.width != render.width()) ||
                       (setup.out.height != 0 && setup.out.height != render.height());
  if (resized) {
    problem(commandName(PF_Cmd_FRAME_SETUP), "not yet simulated: changing the output size through out_data->width/height");
  }

  PF_InData renderIn = renderInData(PF_Cmd_RENDER, render, &utils);
  renderIn.frame_data = setup.out.frame_data;
  const CommandResult rendered = callEntry(PF_Cmd_RENDER, renderIn, params.data(), output, nullptr);
  result.err = rendered.err;
  result.message = rendered.message;

  PF_InData setdownIn = renderInData(PF_Cmd_FRAME_SETDOWN, render, &utils);
  setdownIn.frame_data = setup.out.frame_data;
  const CommandResult setdown = callEntry(PF_Cmd_FRAME_SETDOWN, setdownIn, params.data(), output, nullptr);
  if (result.err == PF_Err_NONE) {
    result.err = setdown.err;
    result.message = setdown.message;
  }
  return result;
}

}  // namespace aehost
