#pragma once

// Shared between the probe effect module and the tests that load it: the test scripts the
// probe's behaviour (including misbehaviour) and reads back what the probe saw.
// Plain data only: both sides are built by the same compiler, but live in different modules.

#include "AE_Effect.h"

namespace aehost::testing {

inline constexpr PF_Cmd kNoCommand = -1;
inline constexpr int kProbeMaxParams = 12;
inline constexpr A_u_long kProbeVersion = PF_VERSION(1, 2, 3, PF_Stage_RELEASE, 4);
inline constexpr A_long kProbeOutFlags = PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING;
inline constexpr A_long kProbeOutFlags2 = PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA;

// The probe's sequence data, unflattened and flat alike (only the magic differs).
struct ProbeSequence {
  A_u_long magic;        // kUnflatMagic or kFlatMagic
  A_long changeCount;    // USER_CHANGED_PARAM increments it
  A_char label[24];
};
inline constexpr A_u_long kUnflatMagic = 0x50525351;  // "PRSQ"
inline constexpr A_u_long kFlatMagic = 0x5052464C;    // "PRFL"

struct ProbeControl {
  // --- script: what the probe reports and how it misbehaves ---
  A_u_long reportedVersion = kProbeVersion;
  A_long reportedOutFlags = kProbeOutFlags;
  A_long reportedOutFlags2 = kProbeOutFlags2;
  bool leakGlobalData = false;           // GLOBAL_SETDOWN keeps the global handle
  bool keepAppSuite = false;             // GLOBAL_SETUP does not release the app suite
  bool disposeFlatAtResetup = false;     // RESETUP disposes the flat handle it was given
  bool disposeSequenceTwice = false;     // SETDOWN disposes the sequence handle twice
  PF_Cmd leaveLockedAt = kNoCommand;     // lock the sequence data and return
  PF_Cmd leakHandleAt = kNoCommand;      // create a handle and forget it
  PF_Cmd throwAt = kNoCommand;           // let an exception escape

  // --- script: parameters ---
  PF_ParamDef paramsToAdd[kProbeMaxParams] = {};  // added in order at PARAMS_SETUP
  int paramsToAddCount = 0;
  PF_ParamIndex addIndex = -1;           // the index passed to add_param
  A_long reportedNumParams = -1;         // out_data->num_params; -1: one more than those added
  PF_Cmd checkoutAt = kNoCommand;        // check out a parameter at this command
  PF_ParamIndex checkoutIndex = 1;
  A_long checkoutTime = 0;
  A_long checkoutTimeStep = 1;
  A_u_long checkoutTimeScale = 24;
  bool skipCheckin = false;              // ... and forget to check it in
  bool checkinCopy = false;              // ... or check in a copy, not the definition filled
  PF_Cmd updateUiAt = kNoCommand;        // call PF_UpdateParamUI at this command
  int updateUiSuiteVersion = 3;          // through this version of the Param Utils suite
  PF_ParamIndex updateUiIndex = 1;
  PF_ParamUIFlags updateUiFlags = PF_PUI_NONE;
  bool updateUiWithOriginal = false;     // pass params[index] itself rather than a copy
  PF_Cmd scribbleAt = kNoCommand;        // overwrite every params[] entry's value and ui_flags
  PF_Cmd markChangedAt = kNoCommand;     // set PF_ChangeFlag_CHANGED_VALUE on params[1]

  // --- record: what the probe saw ---
  int commandCount = 0;
  PF_Cmd lastCommand = kNoCommand;
  PF_InData lastIn{};
  A_char language[8] = {};
  PF_Err languageErr = PF_Err_NONE;
  A_long appSuiteAcquireErr = 0;
  bool sawAppSuiteNull = false;
  A_u_longlong resetupInputSize = 0;
  PF_ParamIndex changedParam = -1;
  void* mainWindow = nullptr;
  PF_Err platformDataErr = PF_Err_NONE;
  int addedCount = 0;                    // add_param calls that succeeded
  PF_Err addParamErr = PF_Err_NONE;      // the error that stopped PARAMS_SETUP, returned by it
  bool sawParams = false;                // params[] was not NULL at the last command
  int seenParamCount = 0;
  PF_ParamDef seenParams[kProbeMaxParams] = {};  // params[] at the last command, before any change
  PF_Err checkoutErr = PF_Err_NONE;
  PF_Err checkinErr = PF_Err_NONE;
  PF_ParamDef checkedOut{};
  A_long updateUiAcquireErr = 0;
  PF_Err updateUiErr = PF_Err_NONE;
};

}  // namespace aehost::testing

// Exported by the probe module.
using AEHostProbeControlFunc = aehost::testing::ProbeControl* (*)();
inline constexpr const char* kAEHostProbeControlSymbol = "AEHostProbeControl";
