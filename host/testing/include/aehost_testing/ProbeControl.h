#pragma once

// Shared between the probe effect module and the tests that load it: the test scripts the
// probe's behaviour (including misbehaviour) and reads back what the probe saw.
// Plain data only: both sides are built by the same compiler, but live in different modules.

#include "AE_Effect.h"

namespace aehost::testing {

inline constexpr PF_Cmd kNoCommand = -1;
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
};

}  // namespace aehost::testing

// Exported by the probe module.
using AEHostProbeControlFunc = aehost::testing::ProbeControl* (*)();
inline constexpr const char* kAEHostProbeControlSymbol = "AEHostProbeControl";
