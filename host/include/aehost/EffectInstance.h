#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "aehost/CommandResult.h"
#include "aehost/Composition.h"
#include "aehost/Host.h"
#include "aehost/Layer.h"
#include "aehost/Parameters.h"
#include "aehost/PluginModule.h"
#include "aehost/RenderRequest.h"
#include "aehost/RenderResult.h"

namespace aehost {

class RenderContext;

// The effect applied to one layer: builds PF_InData for every command and keeps what After
// Effects keeps between commands, above all the sequence data and who owns it.
//
// Sequence data: the handle in out_data->sequence_data after SETUP, RESETUP or FLATTEN becomes
// the current one, passed in in_data->sequence_data later. At FLATTEN the effect disposes the
// old handle; at SETDOWN it disposes the current one. GET_FLATTENED_SEQUENCE_DATA returns a
// new handle the host owns and disposes. At RESETUP the host owns the flat handle it passes
// in and disposes it afterwards.
//
// Parameters: see Parameters. The commands that carry params[] in After Effects get one
// built at the composition's current time; the others get NULL. After PF_Cmd_PARAMS_SETUP
// the number the effect reports in out_data->num_params must match what it added.
//
// Rendering: see renderFrame. Renders may run on several threads at once; every other command
// belongs to one thread at a time, with no render running, as in After Effects.
class EffectInstance {
 public:
  EffectInstance(Host& host, PluginModule& module, Composition composition = {});
  ~EffectInstance();
  EffectInstance(const EffectInstance&) = delete;
  EffectInstance& operator=(const EffectInstance&) = delete;

  Composition& composition() { return composition_; }
  void setCurrentTime(A_long ticks) { composition_.currentTimeTicks = ticks; }

  CommandResult globalSetup();  // also compares version and flags with the PiPL
  CommandResult globalSetdown();
  CommandResult paramsSetup();
  CommandResult sequenceSetup();
  CommandResult sequenceSetdown();
  CommandResult sequenceFlatten();
  FlattenedSequence getFlattenedSequenceData();
  CommandResult sequenceResetup();  // with the current (flattened) sequence data
  CommandResult sequenceResetup(std::span<const std::byte> flatBytes);  // as loaded from a project
  CommandResult about();
  CommandResult doDialog();
  CommandResult updateParamsUI();
  CommandResult queryDynamicFlags();
  CommandResult userChangedParam(PF_ParamIndex index);
  // Any command value, with the same bookkeeping as the named methods for known ones.
  CommandResult send(PF_Cmd cmd, void* extra = nullptr);

  // One frame, as After Effects renders it:
  //  SmartFX: PF_Cmd_SMART_PRE_RENDER with the whole downsampled layer as output_request and
  //  checkout_layer; then, unless it failed or left an empty result_rect, PF_Cmd_SMART_RENDER,
  //  whose checkout_output gives a cleared world of the result_rect's size; then the host calls
  //  delete_pre_render_data_func(pre_render_data) if the effect set one, whatever happened.
  //  Classic: PF_Cmd_FRAME_SETUP, PF_Cmd_RENDER (params[0]->u.ld the input layer, output a
  //  cleared world of the downsampled layer's size), PF_Cmd_FRAME_SETDOWN, with the frame data
  //  passed along.
  // The input layer is the layer's pixels, downsampled (Image::downsampled) and converted to
  // the render's depth (Channels.h). Mask paths come scaled to the downsampled layer
  // (PathCheckouts.h). Pixel checkouts not checked in are problems with the host. Safe to call
  // from several threads at once, as After Effects does for effects that declare
  // PF_OutFlag2_SUPPORTS_THREADED_RENDERING.
  RenderResult renderFrame(const RenderRequest& request);
  // Renders the requests on up to `threads` threads, results in the order of the requests.
  // One thread when the PiPL does not declare PF_OutFlag2_SUPPORTS_THREADED_RENDERING.
  std::vector<RenderResult> renderFrames(const std::vector<RenderRequest>& requests, unsigned threads);
  bool supportsSmartRender() const;
  bool supportsThreadedRendering() const;

  PF_ProgPtr effectRef() const;
  PF_Handle sequenceData() const { return sequenceData_; }
  std::vector<std::byte> sequenceBytes() const;  // empty when there is no sequence data
  PF_Handle globalData() const;
  A_long numParams() const { return parameters_.count(); }  // including the input layer
  Parameters& parameters() { return parameters_; }
  const Parameters& parameters() const { return parameters_; }
  Layer& layer() { return layer_; }
  const Layer& layer() const { return layer_; }
  // PF_InData as built for the most recent command other than a render.
  const PF_InData& lastInData() const { return inData_; }

 private:
  CommandResult dispatch(PF_Cmd cmd, void* extra, PF_Handle sequenceIn);
  PF_InData makeInData(PF_Cmd cmd, PF_Handle sequenceIn, PF_UtilCallbacks* utils) const;
  // Calls the entry point inside a host scope and does the bookkeeping every command ends with.
  CommandResult callEntry(PF_Cmd cmd, PF_InData& in, PF_ParamDef** params, PF_LayerDef* output, void* extra);
  RenderResult renderSmart(RenderContext& render);
  RenderResult renderClassic(RenderContext& render);
  PF_InData renderInData(PF_Cmd cmd, const RenderContext& render, PF_UtilCallbacks* utils) const;
  void deletePreRenderData(const PF_PreRenderOutput& output, RenderResult& result);
  void checkPixelCheckinsBalanced(const RenderContext& render);
  void checkGlobalSetupAgainstPipl(const PF_OutData& out);
  void checkParamCount(const CommandResult& result);
  void takeSequenceAfterFlatten(PF_Handle before, PF_Handle returned);
  CommandResult resetupWith(PF_Handle flat);
  void problem(std::string_view activity, const std::string& what);

  Host& host_;
  PluginModule& module_;
  Composition composition_;
  PF_InData inData_{};
  PF_UtilCallbacks utils_{};
  PF_Handle sequenceData_ = nullptr;
  Parameters parameters_;  // after composition_, which it reads
  Layer layer_;            // likewise
};

}  // namespace aehost
