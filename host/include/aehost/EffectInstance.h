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
#include "aehost/Parameters.h"
#include "aehost/PluginModule.h"

namespace aehost {

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

  PF_ProgPtr effectRef() const;
  PF_Handle sequenceData() const { return sequenceData_; }
  std::vector<std::byte> sequenceBytes() const;  // empty when there is no sequence data
  PF_Handle globalData() const;
  A_long numParams() const { return parameters_.count(); }  // including the input layer
  Parameters& parameters() { return parameters_; }
  const Parameters& parameters() const { return parameters_; }
  // PF_InData as built for the most recent command.
  const PF_InData& lastInData() const { return inData_; }

 private:
  CommandResult dispatch(PF_Cmd cmd, void* extra, PF_Handle sequenceIn);
  void buildInData(PF_Cmd cmd, PF_Handle sequenceIn);
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
};

}  // namespace aehost
