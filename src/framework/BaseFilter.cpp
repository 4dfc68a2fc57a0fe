#include "framework/BaseFilter.h"

#include <clocale>
#include <cstring>
#include <type_traits>
#include <vector>

#include "AE_EffectCB.h"
#include "AEUtil/AEWorldSuite.h"
#include "framework/About.h"
#include "framework/EffectHooks.h"
#include "framework/HostVersion.h"
#include "framework/HostHandle.h"
#include "framework/Rects.h"
#include "framework/ScopeExit.h"
#include "framework/RenderData.h"
#include "framework/SequenceBlock.h"
#include "params/ParamGetter.h"
#include "options/OptionsCommand.h"
#include "options/SettingsFile.h"
#include "params/ParamRegistry.h"
#include "resources/PiPL.h"

namespace {

constexpr A_u_long kMyVersion =
    PF_VERSION(INKLINE_VERSION_MAJOR, INKLINE_VERSION_MINOR, INKLINE_VERSION_BUGFIX, PF_Stage_RELEASE,
               INKLINE_VERSION_BUILD);
constexpr PF_OutFlags kOutFlags = PF_OutFlag_WIDE_TIME_INPUT | PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING |
                                  PF_OutFlag_I_DO_DIALOG | PF_OutFlag_USE_OUTPUT_EXTENT |
                                  PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_SEND_UPDATE_PARAMS_UI;
constexpr PF_OutFlags2 kOutFlags2 =
    PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS | PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG |
    PF_OutFlag2_I_AM_THREADSAFE | PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE |
    PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA | PF_OutFlag2_SUPPORTS_THREADED_RENDERING;

// The host compares global set-up with the PiPL; both come from the same values.
static_assert(kMyVersion == INKLINE_PIPL_EFFECT_VERSION);
static_assert(kOutFlags == INKLINE_PIPL_OUT_FLAGS);
static_assert(kOutFlags2 == INKLINE_PIPL_OUT_FLAGS2);

// What the pre-render handle holds: the RenderData, and how to give the handle back once the
// host is done with it (the host's delete callback receives nothing but the handle).
struct PreRenderBlock {
  RenderData renderData;
  void (*disposeHandle)(PF_Handle);
};
// Placement-new'd into the handle, which deletePreRenderData disposes without a destructor.
static_assert(std::is_trivially_destructible_v<PreRenderBlock> && std::is_trivially_copyable_v<PreRenderBlock>);

void deletePreRenderData(void* preRenderData) {
  auto handle = static_cast<PF_Handle>(preRenderData);
  if (handle == nullptr || *handle == nullptr) return;
  // Dereferencing the master pointer is how the SDK reads a handle it does not lock.
  auto* block = static_cast<PreRenderBlock*>(*handle);
  if (block->disposeHandle != nullptr) block->disposeHandle(handle);
}

RenderData emptyRenderData() {
  RenderData data{};
  data.pixelFormat = PF_PixelFormat_INVALID;
  return data;
}

A_u_longlong handleSize(const PF_InData* in_data, PF_Handle handle) {
  return in_data->utils->host_get_handle_size(handle);
}

}  // namespace

BaseFilter::BaseFilter() {
  // Decimal texts of the settings file use the user's separator from here on.
  std::setlocale(LC_ALL, "");
}

BaseFilter::~BaseFilter() = default;

PF_Err BaseFilter::dispatch(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                            PF_LayerDef* output, void* extra) {
  switch (cmd) {
    case PF_Cmd_ABOUT: return about(in_data, out_data);
    case PF_Cmd_GLOBAL_SETUP: return globalSetup(in_data, out_data);
    case PF_Cmd_GLOBAL_SETDOWN: return globalSetdown(in_data, out_data);
    case PF_Cmd_PARAMS_SETUP: return paramsSetup(in_data, out_data);
    case PF_Cmd_SEQUENCE_SETUP: return sequenceSetup(in_data, out_data);
    case PF_Cmd_SEQUENCE_RESETUP: return sequenceResetup(in_data, out_data);
    case PF_Cmd_SEQUENCE_FLATTEN: return sequenceFlatten(in_data, out_data);
    case PF_Cmd_SEQUENCE_SETDOWN: return sequenceSetdown(in_data, out_data);
    // The options command succeeds whatever its dialog does.
    case PF_Cmd_DO_DIALOG: runOptionsCommand(in_data, params); return PF_Err_NONE;
    case PF_Cmd_RENDER: return render(in_data, out_data, params, output);
    case PF_Cmd_USER_CHANGED_PARAM: return userChangedParam(in_data, out_data, params, extra);
    case PF_Cmd_UPDATE_PARAMS_UI: return updateParamsUI(in_data, out_data, params);
    case PF_Cmd_EVENT: return event(in_data, out_data, params, extra);
    case PF_Cmd_QUERY_DYNAMIC_FLAGS: return queryDynamicFlags(in_data, out_data);
    case PF_Cmd_ARBITRARY_CALLBACK: return arbitraryCallback(in_data, out_data, params, extra);
    case PF_Cmd_SMART_PRE_RENDER: return smartPreRender(in_data, out_data, extra);
    case PF_Cmd_SMART_RENDER: return smartRender(in_data, out_data, extra);
    case PF_Cmd_GET_FLATTENED_SEQUENCE_DATA: return getFlattenedSequenceData(in_data, out_data);
    default: return PF_Err_NONE;
  }
}

PF_Err BaseFilter::about(PF_InData* in_data, PF_OutData* out_data) {
  writeAboutText(in_data, out_data);
  return PF_Err_NONE;
}

PF_Err BaseFilter::globalSetup(PF_InData*, PF_OutData* out_data) {
  out_data->my_version = kMyVersion;
  out_data->out_flags = kOutFlags;
  out_data->out_flags2 = kOutFlags2;
  return PF_Err_NONE;
}

PF_Err BaseFilter::globalSetdown(PF_InData*, PF_OutData*) { return PF_Err_NONE; }

PF_Err BaseFilter::paramsSetup(PF_InData* in_data, PF_OutData* out_data) {
  char settingsPath[MAX_PATH] = {};
  const bool useStoredDefaults = hostReadsStoredDefaults(in_data->version) && settingsFilePath(settingsPath);
  return ParamRegistry::instance().registerWithHost(in_data, out_data, useStoredDefaults ? settingsPath : nullptr);
}

PF_Err BaseFilter::userChangedParam(PF_InData*, PF_OutData*, PF_ParamDef*[], void*) { return PF_Err_NONE; }

PF_Err BaseFilter::updateParamsUI(PF_InData* in_data, PF_OutData*, PF_ParamDef* params[]) {
  return updateParameterPanel(in_data, params);
}

PF_Err BaseFilter::render(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output) {
  RenderData data = emptyRenderData();
  data.input = &params[0]->u.ld;
  data.output = output;
  data.in_data = in_data;
  data.out_data = out_data;

  const ParamRegistry& registry = ParamRegistry::instance();
  std::size_t checkedOut = 0;
  // Every value checked out goes back, after a failure or an exception too (the host counts
  // them); exactly those, not the ones never fetched.
  ScopeExit releaseValues([&] {
    GetParamByCheckout releaser(in_data, nullptr, false);
    return registry.releaseAll(releaser, checkedOut);
  });
  PF_Err err = AEUtil::WorldSuite::getPixelFormat(in_data, data.input, data.pixelFormat);
  if (err == PF_Err_NONE) {
    GetParamByCheckout getter(in_data, params, false);
    err = registry.readAll(&data.params, getter, checkedOut);
  }
  if (err == PF_Err_NONE) err = renderEffect(data);

  const PF_Err releaseErr = releaseValues.run();
  return err != PF_Err_NONE ? err : releaseErr;
}

PF_Err BaseFilter::smartPreRender(PF_InData* in_data, PF_OutData* out_data, void* extra) {
  auto* preRender = static_cast<PF_PreRenderExtra*>(extra);
  OwnedHandle handle(in_data, sizeof(PreRenderBlock));
  if (handle.get() == nullptr) return PF_Err_OUT_OF_MEMORY;
  HandleLock lock(in_data, handle.get());
  if (lock.data() == nullptr) return PF_Err_INTERNAL_STRUCT_DAMAGED;

  auto* block = new (lock.data()) PreRenderBlock{emptyRenderData(), in_data->utils->host_dispose_handle};
  RenderData& data = block->renderData;
  // From here the host owns the handle and frees it through the delete callback.
  preRender->output->pre_render_data = handle.release();
  preRender->output->delete_pre_render_data_func = deletePreRenderData;

  GetParamByCheckout getter(in_data, nullptr, true);
  std::size_t readCount = 0;
  PF_Err err = ParamRegistry::instance().readAll(&data.params, getter, readCount);
  if (err == PF_Err_NONE) err = preRenderHook(in_data, out_data, preRender, data);
  return err;
}

PF_Err BaseFilter::smartRender(PF_InData* in_data, PF_OutData* out_data, void* extra) {
  auto* smart = static_cast<PF_SmartRenderExtra*>(extra);
  HandleLock lock(in_data, static_cast<PF_Handle>(smart->input->pre_render_data));
  if (lock.data() == nullptr) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  RenderData& data = lock.as<PreRenderBlock>()->renderData;
  data.in_data = in_data;
  data.out_data = out_data;

  PF_Err err = smart->cb->checkout_layer_pixels(in_data->effect_ref, 0, &data.input);
  const bool inputCheckedOut = err == PF_Err_NONE;
  // The input goes back whenever it was checked out, whatever happens after.
  ScopeExit checkInInput([&] {
    return inputCheckedOut ? smart->cb->checkin_layer_pixels(in_data->effect_ref, 0) : PF_Err_NONE;
  });
  if (err == PF_Err_NONE) err = smart->cb->checkout_output(in_data->effect_ref, &data.output);

  if (err == PF_Err_NONE && data.input != nullptr && data.output != nullptr) {
    const short bitDepth = smart->input != nullptr ? smart->input->bitdepth : 0;
    err = AEUtil::WorldSuite::getPixelFormat(in_data, data.input, data.pixelFormat, bitDepth);
    if (err == PF_Err_NONE) err = beforeRenderHook(in_data, out_data, smart, data);
    if (err == PF_Err_NONE) err = renderEffect(data);
  }

  const PF_Err checkinErr = checkInInput.run();
  return err != PF_Err_NONE ? err : checkinErr;
}

PF_Err BaseFilter::sequenceSetup(PF_InData* in_data, PF_OutData* out_data) {
  OwnedHandle handle(in_data, kSequenceBlockSize);
  if (handle.get() == nullptr) return PF_Err_OUT_OF_MEMORY;
  HandleLock lock(in_data, handle.get());
  if (lock.data() == nullptr) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  *lock.as<SequenceBlock>() = defaultSequenceBlock();
  out_data->sequence_data = handle.release();
  return PF_Err_NONE;
}

PF_Err BaseFilter::sequenceSetdown(PF_InData* in_data, PF_OutData*) {
  if (in_data->sequence_data != nullptr) in_data->utils->host_dispose_handle(in_data->sequence_data);
  return PF_Err_NONE;
}

// Writes the flat form of the in-memory block into a new handle in out_data.
static PF_Err writeFlatCopy(PF_InData* in_data, PF_OutData* out_data) {
  HandleLock old(in_data, in_data->sequence_data);
  if (old.data() == nullptr) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  const FlatSequenceBlock flat = flattenSequenceBlock(*old.as<SequenceBlock>());

  OwnedHandle copy(in_data, flat.size());
  if (copy.get() == nullptr) return PF_Err_OUT_OF_MEMORY;
  HandleLock lock(in_data, copy.get());
  if (lock.data() == nullptr) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  std::memcpy(lock.data(), flat.data(), flat.size());
  out_data->sequence_data = copy.release();
  return PF_Err_NONE;
}

PF_Err BaseFilter::sequenceFlatten(PF_InData* in_data, PF_OutData* out_data) {
  const PF_Err err = writeFlatCopy(in_data, out_data);
  if (err == PF_Err_NONE) in_data->utils->host_dispose_handle(in_data->sequence_data);
  return err;
}

PF_Err BaseFilter::getFlattenedSequenceData(PF_InData* in_data, PF_OutData* out_data) {
  return writeFlatCopy(in_data, out_data);
}

PF_Err BaseFilter::sequenceResetup(PF_InData* in_data, PF_OutData* out_data) {
  std::vector<std::uint8_t> flat;
  {
    HandleLock old(in_data, in_data->sequence_data);
    if (old.data() == nullptr) return sequenceSetupAnew(in_data, out_data);
    const A_u_longlong size = handleSize(in_data, in_data->sequence_data);
    const auto* bytes = old.as<std::uint8_t>();
    std::uint32_t magic = 0;
    if (size >= sizeof magic) std::memcpy(&magic, bytes, sizeof magic);
    if (size < kSequenceBlockSize || magic != kSequenceMagic) return sequenceSetupAnew(in_data, out_data);
    flat.assign(bytes, bytes + size);
  }

  PF_Err err = sequenceSetup(in_data, out_data);
  if (err != PF_Err_NONE) return err;
  HandleLock fresh(in_data, out_data->sequence_data);
  if (fresh.data() == nullptr) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  // A block of another version silently becomes the default one.
  unflattenSequenceBlock(flat, *fresh.as<SequenceBlock>());
  return PF_Err_NONE;
}

PF_Err BaseFilter::queryDynamicFlags(PF_InData*, PF_OutData*) { return PF_Err_NONE; }

PF_Err BaseFilter::event(PF_InData*, PF_OutData*, PF_ParamDef*[], void*) { return PF_Err_NONE; }

PF_Err BaseFilter::arbitraryCallback(PF_InData*, PF_OutData*, PF_ParamDef*[], void*) { return PF_Err_NONE; }

PF_Err BaseFilter::checkOutInputLayer(PF_InData* in_data, PF_PreRenderExtra* extra, PF_CheckoutResult& checkout) {
  return extra->cb->checkout_layer(in_data->effect_ref, 0, 0, &extra->input->output_request, in_data->current_time,
                                   in_data->time_step, in_data->time_scale, &checkout);
}

PF_Err BaseFilter::preRenderHook(PF_InData* in_data, PF_OutData*, PF_PreRenderExtra* extra, RenderData&) {
  PF_CheckoutResult checkout{};
  const PF_Err err = checkOutInputLayer(in_data, extra, checkout);
  uniteOrReplace(extra->output->result_rect, checkout.result_rect);
  uniteOrReplace(extra->output->max_result_rect, checkout.max_result_rect);
  return err;
}

PF_Err BaseFilter::beforeRenderHook(PF_InData*, PF_OutData*, PF_SmartRenderExtra*, RenderData&) {
  return PF_Err_NONE;
}

PF_Err BaseFilter::sequenceSetupAnew(PF_InData* in_data, PF_OutData* out_data) {
  return sequenceSetup(in_data, out_data);
}

PF_Err BaseFilter::firstCallHook(PF_InData*, PF_OutData*, PF_ParamDef*[], PF_LayerDef*) { return PF_Err_NONE; }

PF_Err BaseFilter::renderEffect(RenderData&) { return PF_Err_INTERNAL_STRUCT_DAMAGED; }
