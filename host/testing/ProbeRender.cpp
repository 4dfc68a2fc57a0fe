// The probe's rendering: copy the input, draw a mark that depends on the frame, dot the
// vertices of a mask, report progress, all through the host's suites. Scripted by the
// ProbeControl; what it saw is recorded there at the end of each command.

#include <cmath>

#include "AE_EffectCBSuites.h"
#include "AE_EffectSuites.h"
#include "ProbeRender_p.h"
#include "SPBasic.h"

using aehost::testing::kProbeMaxVertices;
using aehost::testing::ProbeControl;

namespace {

template <typename Suite>
struct Acquired {
  SPBasicSuite* basic;
  const char* name;
  int version;
  const Suite* table = nullptr;
  Acquired(SPBasicSuite* b, const char* n, int v) : basic(b), name(n), version(v) {
    const void* suite = nullptr;
    if (basic != nullptr && basic->AcquireSuite(name, version, &suite) == kSPNoError) table = static_cast<const Suite*>(suite);
  }
  ~Acquired() {
    if (table != nullptr) basic->ReleaseSuite(name, version);
  }
  Acquired(const Acquired&) = delete;
  Acquired& operator=(const Acquired&) = delete;
};

struct Suites {
  Acquired<PF_WorldSuite2> world2;
  Acquired<PF_WorldSuite1> world1;
  Acquired<PF_FillMatteSuite2> fill;
  Acquired<PF_WorldTransformSuite1> transform;
  Acquired<PF_PathQuerySuite1> pathQuery;
  Acquired<PF_PathDataSuite1> pathData;
  int worldVersion;

  Suites(SPBasicSuite* basic, int version)
      : world2(basic, kPFWorldSuite, version == 2 ? kPFWorldSuiteVersion2 : -1),
        world1(basic, kPFWorldSuite, version == 1 ? kPFWorldSuiteVersion1 : -1),
        fill(basic, kPFFillMatteSuite, kPFFillMatteSuiteVersion2),
        transform(basic, kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1),
        pathQuery(basic, kPFPathQuerySuite, kPFPathQuerySuiteVersion1),
        pathData(basic, kPFPathDataSuite, kPFPathDataSuiteVersion1),
        worldVersion(version) {}

  bool complete() const {
    return (world2.table != nullptr || world1.table != nullptr) && fill.table != nullptr && transform.table != nullptr &&
           pathQuery.table != nullptr && pathData.table != nullptr;
  }
  PF_PixelFormat formatOf(const PF_EffectWorld* world) const {
    PF_PixelFormat format = PF_PixelFormat_INVALID;
    if (world2.table != nullptr) world2.table->PF_GetPixelFormat(world, &format);
    else format = (world->world_flags & PF_WorldFlag_DEEP) != 0 ? PF_PixelFormat_ARGB64 : PF_PixelFormat_ARGB32;
    return format;
  }
  PF_Err newWorld(PF_ProgPtr ref, A_long width, A_long height, PF_PixelFormat format, PF_EffectWorld* world) const {
    if (world2.table != nullptr) return world2.table->PF_NewWorld(ref, width, height, 1, format, world);
    const PF_NewWorldFlags flags = PF_NewWorldFlag_CLEAR_PIXELS | (format == PF_PixelFormat_ARGB64 ? PF_NewWorldFlag_DEEP_PIXELS : 0);
    return world1.table->new_world(ref, width, height, flags, world);
  }
  PF_Err disposeWorld(PF_ProgPtr ref, PF_EffectWorld* world) const {
    return world2.table != nullptr ? world2.table->PF_DisposeWorld(ref, world) : world1.table->dispose_world(ref, world);
  }
};

// What one command saw, copied into the control block under the lock at its end.
struct Record {
  PF_EffectWorld input{};
  PF_EffectWorld output{};
  PF_PixelFormat inputFormat = 0;
  PF_PixelFormat outputFormat = 0;
  PF_Err suiteErr = PF_Err_NONE;
  PF_Err progressErr = PF_Err_NONE;
  PF_Err abortErr = PF_Err_NONE;
  PF_Err pathCheckoutErr = PF_Err_NONE;
  bool sawNullOutline = false;
  PF_Boolean open = 0;
  A_long segments = -1;
  int vertexCount = 0;
  PF_Err vertexInfoErr = PF_Err_NONE;
  PF_PathVertex vertices[kProbeMaxVertices] = {};
  PF_ParamDef layerParam{};
  PF_Err layerParamErr = PF_Err_NONE;

  void commitTo(ProbeControl& c) const {
    c.seenInput = input;
    c.seenOutput = output;
    c.seenInputFormat = inputFormat;
    c.seenOutputFormat = outputFormat;
    c.suiteErr = suiteErr;
    c.progressErr = progressErr;
    c.abortErr = abortErr;
    c.pathCheckoutErr = pathCheckoutErr;
    c.sawNullOutline = sawNullOutline;
    c.seenOpen = open;
    c.seenSegments = segments;
    c.seenVertexCount = vertexCount;
    c.vertexInfoErr = vertexInfoErr;
    for (int i = 0; i < kProbeMaxVertices; ++i) c.seenVertices[i] = vertices[i];
    c.seenLayerParam = layerParam;
    c.layerParamErr = layerParamErr;
  }
};

A_long frameOf(const PF_InData* in) { return in->time_step == 0 ? 0 : in->current_time / in->time_step; }

PF_Err firstError(PF_Err& keep, PF_Err err) {
  if (keep == PF_Err_NONE) keep = err;
  return err;
}

PF_Err dotMask(const PF_InData* in, const Suites& suites, PF_EffectWorld* output, Record& record) {
  const ProbeControl& c = probeControl();
  PF_PathOutlinePtr outline = nullptr;
  record.pathCheckoutErr = suites.pathQuery.table->PF_CheckoutPath(in->effect_ref, c.maskToDraw, in->current_time,
                                                                   in->time_step, in->time_scale, &outline);
  if (record.pathCheckoutErr != PF_Err_NONE) return record.pathCheckoutErr;
  if (outline == nullptr) {
    record.sawNullOutline = true;
    return PF_Err_NONE;
  }
  suites.pathData.table->PF_PathIsOpen(in->effect_ref, outline, &record.open);
  suites.pathData.table->PF_PathNumSegments(in->effect_ref, outline, &record.segments);
  for (A_long i = 0; i <= record.segments; ++i) {
    PF_PathVertex v{};
    record.vertexInfoErr = suites.pathData.table->PF_PathVertexInfo(in->effect_ref, outline, i, &v);
    if (record.vertexInfoErr != PF_Err_NONE) break;
    if (record.vertexCount < kProbeMaxVertices) record.vertices[record.vertexCount] = v;
    ++record.vertexCount;
    const auto x = static_cast<A_long>(std::lround(v.x)) - output->origin_x;
    const auto y = static_cast<A_long>(std::lround(v.y)) - output->origin_y;
    const PF_Rect dot{x, y, x + 1, y + 1};
    suites.fill.table->fill(in->effect_ref, &c.maskDotColor, &dot, output);
  }
  if (!c.skipPathCheckin) suites.pathQuery.table->PF_CheckinPath(in->effect_ref, c.maskToDraw, 0, outline);
  return record.vertexInfoErr;
}

PF_Err drawMark(const PF_InData* in, const Suites& suites, PF_EffectWorld* output, Record& record) {
  const ProbeControl& c = probeControl();
  const A_long frame = frameOf(in);
  PF_EffectWorld mark{};
  PF_Err err = suites.newWorld(in->effect_ref, c.markSize, c.markSize, record.outputFormat, &mark);
  if (err != PF_Err_NONE) return firstError(record.suiteErr, err);
  const PF_Pixel color = aehost::testing::probeMarkColor(frame);
  err = suites.fill.table->fill(in->effect_ref, &color, nullptr, &mark);
  if (err == PF_Err_NONE) {
    const PF_CompositeMode mode{PF_Xfer_IN_FRONT, 0, c.markOpacity, 0, c.markOpacitySu};
    err = suites.transform.table->transfer_rect(in->effect_ref, in->quality, PF_MF_Alpha_STRAIGHT, in->field, nullptr,
                                                &mark, &mode, nullptr, frame * c.markStep, c.markY, output);
  }
  if (!c.leakTempWorld) suites.disposeWorld(in->effect_ref, &mark);
  return firstError(record.suiteErr, err);
}

PF_Err reportProgress(PF_InData* in, Record& record) {
  const ProbeControl& c = probeControl();
  for (int i = 1; i <= c.progressSteps; ++i) {
    record.progressErr = in->inter.progress(in->effect_ref, i, c.progressSteps);
    if (record.progressErr != PF_Err_NONE) return record.progressErr;
  }
  for (int i = 0; i < c.abortChecks; ++i) {
    record.abortErr = in->inter.abort(in->effect_ref);
    if (record.abortErr != PF_Err_NONE) return record.abortErr;
  }
  return PF_Err_NONE;
}

void checkoutLayerParam(PF_InData* in, Record& record) {
  PF_ParamDef layer{};
  record.layerParamErr = in->inter.checkout_param(in->effect_ref, 0, in->current_time, in->time_step, in->time_scale, &layer);
  if (record.layerParamErr != PF_Err_NONE) return;
  record.layerParam = layer;
  in->inter.checkin_param(in->effect_ref, &layer);
}

PF_Err drawFrame(PF_InData* in, PF_EffectWorld* input, PF_EffectWorld* output, Record& record) {
  const ProbeControl& c = probeControl();
  const Suites suites(in->pica_basicP, c.worldSuiteVersion);
  if (!suites.complete()) return firstError(record.suiteErr, PF_Err_BAD_CALLBACK_PARAM);
  record.input = *input;
  record.output = *output;
  record.inputFormat = suites.formatOf(input);
  record.outputFormat = suites.formatOf(output);
  if (c.checkoutLayerParam) checkoutLayerParam(in, record);

  PF_Err err = PF_Err_NONE;
  if (c.copyInput) err = suites.transform.table->copy(in->effect_ref, input, output, nullptr, nullptr);
  if (err != PF_Err_NONE) return firstError(record.suiteErr, err);
  if (c.drawMark && (err = drawMark(in, suites, output, record)) != PF_Err_NONE) return err;
  if (c.maskToDraw != PF_PathID_NONE && (err = dotMask(in, suites, output, record)) != PF_Err_NONE) return err;
  if ((err = reportProgress(in, record)) != PF_Err_NONE) return err;
  if (c.disposeOutput) suites.disposeWorld(in->effect_ref, output);
  return c.renderErr;
}

// The pre-render data is a handle holding the frame and the function that disposes it, so
// the delete function needs nothing else.
struct PreRenderData {
  A_long frame;
  void (*dispose)(PF_Handle);
};

void deletePreRenderData(void* data) {
  auto handle = static_cast<PF_Handle>(data);
  const PreRenderData* payload = static_cast<const PreRenderData*>(*handle);
  payload->dispose(handle);
  const std::lock_guard lock(probeRecordMutex());
  ++probeControl().preRenderDataDeletes;
}

}  // namespace

PF_Err probeSmartPreRender(PF_InData* in, PF_PreRenderExtra* extra) {
  const ProbeControl& c = probeControl();
  PF_CheckoutResult checkout{};
  const PF_Err err = extra->cb->checkout_layer(in->effect_ref, 0, 0, &extra->input->output_request, in->current_time,
                                               in->time_step, in->time_scale, &checkout);
  {
    const std::lock_guard lock(probeRecordMutex());
    ProbeControl& record = probeControl();
    record.seenPreRenderInput = *extra->input;
    record.checkoutLayerErr = err;
    record.seenCheckout = checkout;
    record.renderIn = *in;
  }
  if (err != PF_Err_NONE) return err;
  extra->output->result_rect = c.emptyResultRect ? PF_LRect{} : checkout.result_rect;
  extra->output->max_result_rect = checkout.max_result_rect;

  PF_Handle data = in->utils->host_new_handle(sizeof(PreRenderData));
  if (data == nullptr) return PF_Err_OUT_OF_MEMORY;
  *static_cast<PreRenderData*>(*data) = PreRenderData{frameOf(in), in->utils->host_dispose_handle};
  extra->output->pre_render_data = data;
  if (!c.noDeleteFunc) extra->output->delete_pre_render_data_func = deletePreRenderData;
  return c.preRenderErr;
}

PF_Err probeSmartRender(PF_InData* in, PF_SmartRenderExtra* extra) {
  const ProbeControl& c = probeControl();
  Record record;
  PF_EffectWorld* input = nullptr;
  PF_EffectWorld* output = nullptr;
  const PF_Err pixelsErr = extra->cb->checkout_layer_pixels(in->effect_ref, 0, &input);
  PF_Err outputErr = PF_Err_NONE;
  if (pixelsErr == PF_Err_NONE && !c.skipOutputCheckout) outputErr = extra->cb->checkout_output(in->effect_ref, &output);
  PF_Err err = pixelsErr != PF_Err_NONE ? pixelsErr : outputErr;
  if (err == PF_Err_NONE && output != nullptr) err = drawFrame(in, input, output, record);
  if (pixelsErr == PF_Err_NONE && !c.skipPixelCheckin) extra->cb->checkin_layer_pixels(in->effect_ref, 0);

  const auto data = static_cast<PF_Handle>(extra->input->pre_render_data);
  const std::lock_guard lock(probeRecordMutex());
  ProbeControl& control = probeControl();
  ++control.renderCommands;
  control.renderIn = *in;
  control.seenSmartBitDepth = extra->input->bitdepth;
  control.seenPreRenderFrame = data == nullptr ? -1 : static_cast<const PreRenderData*>(*data)->frame;
  control.pixelsErr = pixelsErr;
  control.outputErr = outputErr;
  record.commitTo(control);
  return err;
}

PF_Err probeFrameSetup(PF_InData* in, PF_OutData* out) {
  if (!probeControl().frameDataAtSetup) return PF_Err_NONE;
  out->frame_data = in->utils->host_new_handle(8);
  return out->frame_data == nullptr ? PF_Err_OUT_OF_MEMORY : PF_Err_NONE;
}

PF_Err probeRender(PF_InData* in, PF_ParamDef* params[], PF_LayerDef* output) {
  Record record;
  record.layerParam = *params[0];
  const PF_Err err = drawFrame(in, &params[0]->u.ld, output, record);
  const std::lock_guard lock(probeRecordMutex());
  ProbeControl& control = probeControl();
  ++control.renderCommands;
  control.renderIn = *in;
  control.sawFrameData = in->frame_data != nullptr;
  record.commitTo(control);
  return err;
}

PF_Err probeFrameSetdown(PF_InData* in) {
  if (in->frame_data != nullptr) in->utils->host_dispose_handle(in->frame_data);
  return PF_Err_NONE;
}
