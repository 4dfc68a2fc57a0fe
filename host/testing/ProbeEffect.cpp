// The probe: an effect that does what the test scripts in its ProbeControl and records what
// the host handed it. Built only to exercise the host.

#include <cstring>
#include <stdexcept>

#include "AE_AdvEffectSuites.h"
#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "AE_EffectCBSuites.h"
#include "SPBasic.h"
#include "ProbeRender_p.h"
#include "aehost_testing/ProbeControl.h"

using aehost::testing::kFlatMagic;
using aehost::testing::kUnflatMagic;
using aehost::testing::ProbeControl;
using aehost::testing::ProbeSequence;

// --- PiPL, in the .pipl section the host reads --------------------------------------------

#define PROBE_LE32(v)                                                                                   \
  static_cast<unsigned char>((v) & 0xFF), static_cast<unsigned char>(((v) >> 8) & 0xFF),                 \
      static_cast<unsigned char>(((v) >> 16) & 0xFF), static_cast<unsigned char>(((v) >> 24) & 0xFF)
// A four-char code as the compiler forms 'abcd', stored little-endian: bytes "dcba".
#define PROBE_FCC(a, b, c, d) d, c, b, a
#define PROBE_PROPERTY(a, b, c, d, length) PROBE_FCC('8', 'B', 'I', 'M'), PROBE_FCC(a, b, c, d), PROBE_LE32(0), PROBE_LE32(length)

[[gnu::used, gnu::section(".pipl")]] const unsigned char kProbePipl[] = {
    1, 0, PROBE_LE32(0), PROBE_LE32(12),
    PROBE_PROPERTY('k', 'i', 'n', 'd', 4), PROBE_FCC('e', 'F', 'K', 'T'),
    PROBE_PROPERTY('n', 'a', 'm', 'e', 12), 10, 'H', 'o', 's', 't', ' ', 'P', 'r', 'o', 'b', 'e', 0,
    PROBE_PROPERTY('c', 'a', 't', 'g', 8), 7, 'T', 'e', 's', 't', 'i', 'n', 'g',
    PROBE_PROPERTY('e', 'M', 'N', 'A', 16), 12, 'A', 'E', 'H', 'O', 'S', 'T', ' ', 'P', 'r', 'o', 'b', 'e', 0, 0, 0,
    PROBE_PROPERTY('8', '6', '6', '4', 16), 'P', 'r', 'o', 'b', 'e', 'E', 'n', 't', 'r', 'y', 'P', 'o', 'i', 'n', 't', 0,
    PROBE_PROPERTY('e', 'P', 'V', 'R', 4), PROBE_LE32(0x00020000),
    PROBE_PROPERTY('e', 'S', 'V', 'R', 4), PROBE_LE32(0x000D001B),
    PROBE_PROPERTY('e', 'V', 'E', 'R', 4), PROBE_LE32(aehost::testing::kProbeVersion),
    PROBE_PROPERTY('e', 'I', 'N', 'F', 4), PROBE_LE32(0),
    PROBE_PROPERTY('e', 'G', 'L', 'O', 4), PROBE_LE32(static_cast<unsigned>(aehost::testing::kProbeOutFlags)),
    PROBE_PROPERTY('e', 'G', 'L', '2', 4), PROBE_LE32(static_cast<unsigned>(aehost::testing::kProbeOutFlags2)),
    PROBE_PROPERTY('a', 'e', 'R', 'D', 4), PROBE_LE32(0),
};

namespace {

ProbeControl gControl;
std::mutex gRecordMutex;

PF_Handle newSequence(const PF_InData* in, A_u_long magic, const ProbeSequence* from) {
  PF_Handle handle = in->utils->host_new_handle(sizeof(ProbeSequence));
  if (handle == nullptr) return nullptr;
  auto* data = static_cast<ProbeSequence*>(in->utils->host_lock_handle(handle));
  if (data == nullptr) {
    in->utils->host_dispose_handle(handle);
    return nullptr;
  }
  if (from != nullptr) {
    *data = *from;
  } else {
    std::memset(data, 0, sizeof *data);
    std::strcpy(data->label, "probe");
  }
  data->magic = magic;
  in->utils->host_unlock_handle(handle);
  return handle;
}

PF_Err globalSetup(PF_InData* in, PF_OutData* out) {
  out->my_version = gControl.reportedVersion;
  out->out_flags = gControl.reportedOutFlags;
  out->out_flags2 = gControl.reportedOutFlags2;
  out->global_data = in->utils->host_new_handle(16);
  if (out->global_data == nullptr) return PF_Err_OUT_OF_MEMORY;

  if (in->pica_basicP != nullptr) {
    const void* suite = nullptr;
    gControl.appSuiteAcquireErr = in->pica_basicP->AcquireSuite(kPFAppSuite, kPFAppSuiteVersion5, &suite);
    if (gControl.appSuiteAcquireErr == kSPNoError && suite == nullptr) gControl.sawAppSuiteNull = true;
    if (gControl.appSuiteAcquireErr == kSPNoError && suite != nullptr) {
      gControl.languageErr = static_cast<const PFAppSuite5*>(suite)->PF_AppGetLanguage(gControl.language);
      if (!gControl.keepAppSuite) in->pica_basicP->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5);
    }
  }
  return PF_Err_NONE;
}

PF_Err paramsSetup(PF_InData* in, PF_OutData* out) {
  gControl.addedCount = 0;
  gControl.addParamErr = PF_Err_NONE;
  for (int i = 0; i < gControl.paramsToAddCount && i < aehost::testing::kProbeMaxParams; ++i) {
    PF_ParamDef def = gControl.paramsToAdd[i];
    gControl.addParamErr = in->inter.add_param(in->effect_ref, gControl.addIndex, &def);
    if (gControl.addParamErr != PF_Err_NONE) return gControl.addParamErr;
    ++gControl.addedCount;
  }
  out->num_params = gControl.reportedNumParams >= 0 ? gControl.reportedNumParams : gControl.addedCount + 1;
  return PF_Err_NONE;
}

void recordParams(const PF_InData* in, PF_ParamDef* params[]) {
  gControl.sawParams = params != nullptr;
  gControl.seenParamCount = 0;
  if (params == nullptr) return;
  for (A_long i = 0; i < in->num_params && i < aehost::testing::kProbeMaxParams; ++i) {
    gControl.seenParams[i] = *params[i];
    ++gControl.seenParamCount;
  }
}

void checkoutParam(PF_InData* in) {
  gControl.checkedOut = PF_ParamDef{};
  gControl.checkoutErr = in->inter.checkout_param(in->effect_ref, gControl.checkoutIndex, gControl.checkoutTime,
                                                  gControl.checkoutTimeStep, gControl.checkoutTimeScale,
                                                  &gControl.checkedOut);
  if (gControl.skipCheckin) return;
  PF_ParamDef copy = gControl.checkedOut;
  gControl.checkinErr = in->inter.checkin_param(in->effect_ref, gControl.checkinCopy ? &copy : &gControl.checkedOut);
}

void updateParamUI(PF_InData* in, PF_ParamDef* params[]) {
  const int version = gControl.updateUiSuiteVersion;
  const void* suite = nullptr;
  gControl.updateUiAcquireErr = in->pica_basicP->AcquireSuite(kPFParamUtilsSuite, version, &suite);
  if (gControl.updateUiAcquireErr != kSPNoError || suite == nullptr) return;
  PF_ParamDef copy = *params[gControl.updateUiIndex];
  PF_ParamDef* def = gControl.updateUiWithOriginal ? params[gControl.updateUiIndex] : &copy;
  def->ui_flags = gControl.updateUiFlags;
  if (version == kPFParamUtilsSuiteVersion3) {
    gControl.updateUiErr =
        static_cast<const PF_ParamUtilsSuite3*>(suite)->PF_UpdateParamUI(in->effect_ref, gControl.updateUiIndex, def);
  } else {
    gControl.updateUiErr =
        static_cast<const PF_ParamUtilsSuite1*>(suite)->PF_UpdateParamUI(in->effect_ref, gControl.updateUiIndex, def);
  }
  in->pica_basicP->ReleaseSuite(kPFParamUtilsSuite, version);
}

void scribbleOn(const PF_InData* in, PF_ParamDef* params[]) {
  for (A_long i = 1; i < in->num_params; ++i) {
    std::memset(&params[i]->u, 0x5A, sizeof params[i]->u);
    params[i]->ui_flags = PF_PUI_DISABLED | PF_PUI_INVISIBLE;
  }
}

PF_Err sequenceFlatten(PF_InData* in, PF_OutData* out, bool keepOld) {
  const auto* old = static_cast<const ProbeSequence*>(*in->sequence_data);
  PF_Handle flat = newSequence(in, kFlatMagic, old);
  if (flat == nullptr) return PF_Err_OUT_OF_MEMORY;
  if (!keepOld) in->utils->host_dispose_handle(in->sequence_data);
  out->sequence_data = flat;
  return PF_Err_NONE;
}

PF_Err sequenceResetup(PF_InData* in, PF_OutData* out) {
  const ProbeSequence* from = nullptr;
  if (in->sequence_data != nullptr) {
    gControl.resetupInputSize = in->utils->host_get_handle_size(in->sequence_data);
    const auto* flat = static_cast<const ProbeSequence*>(*in->sequence_data);
    if (gControl.resetupInputSize == sizeof(ProbeSequence) && flat->magic == kFlatMagic) from = flat;
  }
  out->sequence_data = newSequence(in, kUnflatMagic, from);
  if (gControl.disposeFlatAtResetup && in->sequence_data != nullptr) in->utils->host_dispose_handle(in->sequence_data);
  return out->sequence_data == nullptr ? PF_Err_OUT_OF_MEMORY : PF_Err_NONE;
}

PF_Err dispatch(PF_Cmd cmd, PF_InData* in, PF_OutData* out, PF_ParamDef* params[], PF_LayerDef* output, void* extra) {
  switch (cmd) {
    case PF_Cmd_GLOBAL_SETUP:
      return globalSetup(in, out);
    case PF_Cmd_GLOBAL_SETDOWN:
      if (!gControl.leakGlobalData) in->utils->host_dispose_handle(in->global_data);
      return PF_Err_NONE;
    case PF_Cmd_PARAMS_SETUP:
      return paramsSetup(in, out);
    case PF_Cmd_SEQUENCE_SETUP:
      out->sequence_data = newSequence(in, kUnflatMagic, nullptr);
      return out->sequence_data == nullptr ? PF_Err_OUT_OF_MEMORY : PF_Err_NONE;
    case PF_Cmd_SEQUENCE_FLATTEN:
      return sequenceFlatten(in, out, false);
    case PF_Cmd_GET_FLATTENED_SEQUENCE_DATA:
      return sequenceFlatten(in, out, true);
    case PF_Cmd_SEQUENCE_RESETUP:
      return sequenceResetup(in, out);
    case PF_Cmd_SEQUENCE_SETDOWN:
      in->utils->host_dispose_handle(in->sequence_data);
      if (gControl.disposeSequenceTwice) in->utils->host_dispose_handle(in->sequence_data);
      return PF_Err_NONE;
    case PF_Cmd_USER_CHANGED_PARAM: {
      gControl.changedParam = *static_cast<const PF_ParamIndex*>(extra);
      auto* data = static_cast<ProbeSequence*>(in->utils->host_lock_handle(in->sequence_data));
      if (data == nullptr) return PF_Err_OUT_OF_MEMORY;
      ++data->changeCount;
      in->utils->host_unlock_handle(in->sequence_data);
      return PF_Err_NONE;
    }
    case PF_Cmd_ABOUT:
      in->utils->ansi.sprintf(out->return_msg, "%s v%d.%d", "Host Probe", 1, 2);
      return PF_Err_NONE;
    // Render commands sent bare (tests of params[] do that) have nothing to render.
    case PF_Cmd_RENDER:
      return params == nullptr || output == nullptr ? PF_Err_NONE : probeRender(in, params, output);
    case PF_Cmd_SMART_PRE_RENDER:
      return extra == nullptr ? PF_Err_NONE : probeSmartPreRender(in, static_cast<PF_PreRenderExtra*>(extra));
    case PF_Cmd_SMART_RENDER:
      return extra == nullptr ? PF_Err_NONE : probeSmartRender(in, static_cast<PF_SmartRenderExtra*>(extra));
    case PF_Cmd_FRAME_SETUP:
      return probeFrameSetup(in, out);
    case PF_Cmd_FRAME_SETDOWN:
      return probeFrameSetdown(in);
    case PF_Cmd_DO_DIALOG:
      gControl.platformDataErr = in->utils->get_platform_data(in->effect_ref, PF_PlatData_MAIN_WND, &gControl.mainWindow);
      return PF_Err_NONE;
    default:
      return PF_Err_NONE;
  }
}

}  // namespace

ProbeControl& probeControl() { return gControl; }
std::mutex& probeRecordMutex() { return gRecordMutex; }

extern "C" [[gnu::visibility("default")]] ProbeControl* AEHostProbeControl() { return &gControl; }

extern "C" [[gnu::visibility("default")]] PF_Err ProbeEntryPoint(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                                                  PF_ParamDef* params[], PF_LayerDef* output,
                                                                  void* extra) {
  {
    const std::lock_guard lock(gRecordMutex);  // renders of several frames may arrive at once
    ++gControl.commandCount;
    gControl.lastCommand = cmd;
    gControl.lastIn = *in_data;
    recordParams(in_data, params);
  }
  if (cmd == gControl.checkoutAt) checkoutParam(in_data);
  if (cmd == gControl.updateUiAt && params != nullptr) updateParamUI(in_data, params);
  if (cmd == gControl.scribbleAt && params != nullptr) scribbleOn(in_data, params);
  if (cmd == gControl.markChangedAt && params != nullptr && in_data->num_params > 1) {
    params[1]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
  }
  if (cmd == gControl.throwAt) throw std::runtime_error("probe was told to throw");
  if (cmd == gControl.leakHandleAt) in_data->utils->host_new_handle(8);
  const PF_Err err = dispatch(cmd, in_data, out_data, params, output, extra);
  if (cmd == gControl.leaveLockedAt && in_data->sequence_data != nullptr) {
    in_data->utils->host_lock_handle(in_data->sequence_data);
  }
  return err;
}
