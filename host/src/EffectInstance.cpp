#include "aehost/EffectInstance.h"

#include <cstdio>
#include <exception>
#include <string>
#include <thread>

#include "HostCallbacks_p.h"
#include "aehost/CommandNames.h"
#include "aehost/HostScope.h"

namespace aehost {
namespace {

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

std::string returnMessage(const PF_OutData& out) {
  std::string message;
  for (const char c : out.return_msg) {
    if (c == '\0') break;
    message.push_back(c);
  }
  return message;
}

// Commands that After Effects sends outside any sequence, with NULL sequence data.
bool isOutsideSequence(PF_Cmd cmd) {
  return cmd == PF_Cmd_GLOBAL_SETUP || cmd == PF_Cmd_GLOBAL_SETDOWN || cmd == PF_Cmd_PARAMS_SETUP ||
         cmd == PF_Cmd_ABOUT || cmd == PF_Cmd_SEQUENCE_SETUP;
}

}  // namespace

EffectInstance::EffectInstance(Host& host, PluginModule& module, Composition composition)
    : host_(host),
      module_(module),
      composition_(composition),
      parameters_(host, effectRef(), composition_),
      layer_(composition_) {
  host_.attachLayer(effectRef(), &layer_);
}

EffectInstance::~EffectInstance() {
  host_.detachLayer(effectRef());
  std::vector<std::string> left;
  layer_.pathCheckouts().audit(left);  // the audit cannot see this instance any more
  for (std::string& problem : left) host_.recordProblem(std::move(problem));
}

PF_ProgPtr EffectInstance::effectRef() const {
  return reinterpret_cast<PF_ProgPtr>(const_cast<EffectInstance*>(this));
}

PF_Handle EffectInstance::globalData() const { return host_.globalData(module_.id()); }

void EffectInstance::problem(std::string_view activity, const std::string& what) {
  host_.recordProblem("[" + std::string(activity) + "] " + what);
}

PF_InData EffectInstance::makeInData(PF_Cmd cmd, PF_Handle sequenceIn, PF_UtilCallbacks* utils) const {
  const HostOptions& options = host_.options();
  PF_InData in{};
  in.inter = makeInteractCallbacks();
  in.utils = utils;
  in.effect_ref = effectRef();
  in.quality = composition_.quality;
  in.version = options.specVersion;
  in.serial_num = 1;
  in.appl_id = options.applId;
  in.num_params = parameters_.count();
  in.current_time = composition_.currentTimeTicks;
  in.time_step = composition_.timeStep;
  in.total_time = composition_.durationTicks;
  in.local_time_step = composition_.timeStep;
  in.time_scale = composition_.timeScale;
  in.field = composition_.field;
  in.width = composition_.widthPx;
  in.height = composition_.heightPx;
  in.extent_hint = PF_LRect{0, 0, composition_.widthPx, composition_.heightPx};
  in.downsample_x = PF_RationalScale{1, 1};
  in.downsample_y = PF_RationalScale{1, 1};
  in.pixel_aspect_ratio = PF_RationalScale{1, 1};
  in.global_data = cmd == PF_Cmd_GLOBAL_SETUP ? nullptr : globalData();
  in.sequence_data = sequenceIn;
  in.pica_basicP = host_.basicSuite();
  return in;
}

CommandResult EffectInstance::callEntry(PF_Cmd cmd, PF_InData& in, PF_ParamDef** params, PF_LayerDef* output,
                                        void* extra) {
  const std::string_view activity = commandName(cmd);
  const HostScope scope(host_, activity, effectRef());
  host_.commandStarted();
  CommandResult result;
  try {
    result.err = module_.call(cmd, &in, &result.out, params, output, extra);
  } catch (const std::exception& e) {
    problem(activity, std::string("an exception escaped the entry point: ") + e.what());
    result.err = PF_Err_INTERNAL_STRUCT_DAMAGED;
  } catch (...) {
    problem(activity, "an exception escaped the entry point");
    result.err = PF_Err_INTERNAL_STRUCT_DAMAGED;
  }
  result.message = returnMessage(result.out);
  for (std::string& left : layer_.pathCheckouts().releaseLeftBy(std::this_thread::get_id(), activity)) {
    host_.recordProblem(std::move(left));
  }
  if (host_.commandEndedWasLast()) host_.handles().recordHandlesLeftLocked(activity);
  return result;
}

CommandResult EffectInstance::dispatch(PF_Cmd cmd, void* extra, PF_Handle sequenceIn) {
  PF_ParamDef** params = nullptr;
  {
    const HostScope scope(host_, commandName(cmd), effectRef());
    params = parameters_.commandStarting(cmd);
  }
  utils_ = makeUtilCallbacks();
  inData_ = makeInData(cmd, sequenceIn, &utils_);
  CommandResult result = callEntry(cmd, inData_, params, nullptr, extra);
  const HostScope scope(host_, commandName(cmd), effectRef());
  parameters_.commandEnded(cmd);
  return result;
}

CommandResult EffectInstance::send(PF_Cmd cmd, void* extra) {
  if (cmd == PF_Cmd_SEQUENCE_RESETUP) return resetupWith(sequenceData_);
  if (cmd == PF_Cmd_GET_FLATTENED_SEQUENCE_DATA) return getFlattenedSequenceData().result;

  const PF_Handle before = isOutsideSequence(cmd) ? nullptr : sequenceData_;
  CommandResult result = dispatch(cmd, extra, before);
  const PF_Handle returned = result.out.sequence_data;
  switch (cmd) {
    case PF_Cmd_GLOBAL_SETUP:
      host_.setGlobalData(module_.id(), result.out.global_data);
      if (result.err == PF_Err_NONE) checkGlobalSetupAgainstPipl(result.out);
      break;
    case PF_Cmd_GLOBAL_SETDOWN:
      host_.setGlobalData(module_.id(), nullptr);
      break;
    case PF_Cmd_PARAMS_SETUP:
      if (result.err == PF_Err_NONE) checkParamCount(result);
      break;
    case PF_Cmd_SEQUENCE_SETUP:
      sequenceData_ = returned;
      break;
    case PF_Cmd_SEQUENCE_FLATTEN:
      takeSequenceAfterFlatten(before, returned);
      break;
    case PF_Cmd_SEQUENCE_SETDOWN:
      sequenceData_ = nullptr;
      break;
    default:
      if (!isOutsideSequence(cmd) && returned != nullptr) sequenceData_ = returned;
      break;
  }
  return result;
}

void EffectInstance::takeSequenceAfterFlatten(PF_Handle before, PF_Handle returned) {
  if (returned != nullptr) {
    sequenceData_ = returned;
  } else if (before != nullptr && !host_.handles().isLive(before)) {
    // Disposed and nothing returned: the instance has no sequence data any more.
    problem(commandName(PF_Cmd_SEQUENCE_FLATTEN), "disposed the sequence data and returned none");
    sequenceData_ = nullptr;
  }
}

void EffectInstance::checkGlobalSetupAgainstPipl(const PF_OutData& out) {
  const Pipl& pipl = module_.pipl();
  const std::string_view activity = commandName(PF_Cmd_GLOBAL_SETUP);
  const auto compare = [&](const char* what, const char* key, std::uint32_t reported,
                           const std::optional<std::uint32_t>& declared) {
    if (!declared) {
      problem(activity, std::string("the PiPL has no '") + key + "' to compare " + what + " with");
    } else if (reported != *declared) {
      problem(activity, std::string(what) + " " + hex(reported) + " differs from the PiPL's '" + key + "' " +
                            hex(*declared));
    }
  };
  compare("out_data->my_version", "eVER", static_cast<std::uint32_t>(out.my_version), pipl.effectVersion);
  compare("out_data->out_flags", "eGLO", static_cast<std::uint32_t>(out.out_flags), pipl.globalOutFlags);
  compare("out_data->out_flags2", "eGL2", static_cast<std::uint32_t>(out.out_flags2), pipl.globalOutFlags2);
}

void EffectInstance::checkParamCount(const CommandResult& result) {
  const A_long held = parameters_.count();
  if (result.out.num_params != held) {
    problem(commandName(PF_Cmd_PARAMS_SETUP),
            "out_data->num_params is " + std::to_string(result.out.num_params) + " but the effect added " +
                std::to_string(held - 1) + " parameter(s), " + std::to_string(held) + " with the input layer");
  }
}

CommandResult EffectInstance::resetupWith(PF_Handle flat) {
  HandleTable& handles = host_.handles();
  if (flat != nullptr) handles.setOwner(flat, HandleOwner::Host);
  CommandResult result = dispatch(PF_Cmd_SEQUENCE_RESETUP, nullptr, flat);
  const PF_Handle returned = result.out.sequence_data;

  if (flat != nullptr && returned == flat) {
    handles.setOwner(flat, HandleOwner::Effect);  // kept as the unflattened data
  } else if (flat != nullptr) {
    if (handles.isLive(flat)) {
      const HostScope scope(host_, "host disposing the flat sequence data after PF_Cmd_SEQUENCE_RESETUP");
      handles.dispose(flat);
    } else {
      problem(commandName(PF_Cmd_SEQUENCE_RESETUP),
              "the effect disposed the flat sequence data it was given; the host owns and disposes it");
    }
  }
  sequenceData_ = returned;
  return result;
}

CommandResult EffectInstance::sequenceResetup() { return resetupWith(sequenceData_); }

CommandResult EffectInstance::sequenceResetup(std::span<const std::byte> flatBytes) {
  const PF_Handle flat = host_.handles().createWithBytes(flatBytes, HandleOwner::Host);
  if (flat == nullptr) throw std::bad_alloc();
  return resetupWith(flat);
}

FlattenedSequence EffectInstance::getFlattenedSequenceData() {
  FlattenedSequence flattened;
  flattened.result = dispatch(PF_Cmd_GET_FLATTENED_SEQUENCE_DATA, nullptr, sequenceData_);
  const PF_Handle returned = flattened.result.out.sequence_data;
  const std::string_view activity = commandName(PF_Cmd_GET_FLATTENED_SEQUENCE_DATA);
  HandleTable& handles = host_.handles();

  if (returned == nullptr) {
    if (flattened.result.err == PF_Err_NONE) problem(activity, "succeeded but returned no handle");
  } else if (returned == sequenceData_) {
    problem(activity, "returned the current sequence data instead of a new handle");
  } else if (!handles.isLive(returned)) {
    problem(activity, "returned a handle that is not alive");
  } else {
    handles.setOwner(returned, HandleOwner::Host);
    flattened.bytes = handles.bytes(returned);
    const HostScope scope(host_, "host disposing the handle from PF_Cmd_GET_FLATTENED_SEQUENCE_DATA");
    handles.dispose(returned);
  }
  return flattened;
}

std::vector<std::byte> EffectInstance::sequenceBytes() const {
  if (sequenceData_ == nullptr || !host_.handles().isLive(sequenceData_)) return {};
  return host_.handles().bytes(sequenceData_);
}

CommandResult EffectInstance::globalSetup() { return send(PF_Cmd_GLOBAL_SETUP); }
CommandResult EffectInstance::globalSetdown() { return send(PF_Cmd_GLOBAL_SETDOWN); }
CommandResult EffectInstance::paramsSetup() { return send(PF_Cmd_PARAMS_SETUP); }
CommandResult EffectInstance::sequenceSetup() { return send(PF_Cmd_SEQUENCE_SETUP); }
CommandResult EffectInstance::sequenceSetdown() { return send(PF_Cmd_SEQUENCE_SETDOWN); }
CommandResult EffectInstance::sequenceFlatten() { return send(PF_Cmd_SEQUENCE_FLATTEN); }
CommandResult EffectInstance::about() { return send(PF_Cmd_ABOUT); }
CommandResult EffectInstance::doDialog() { return send(PF_Cmd_DO_DIALOG); }
CommandResult EffectInstance::updateParamsUI() { return send(PF_Cmd_UPDATE_PARAMS_UI); }
CommandResult EffectInstance::queryDynamicFlags() { return send(PF_Cmd_QUERY_DYNAMIC_FLAGS); }

CommandResult EffectInstance::userChangedParam(PF_ParamIndex index) {
  // Same layout as the SDK's PF_UserChangedParamExtra.
  struct {
    PF_ParamIndex param_index;
  } extra{index};
  return send(PF_Cmd_USER_CHANGED_PARAM, &extra);
}

}  // namespace aehost
