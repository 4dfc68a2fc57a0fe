#pragma once

// Shared between the probe effect module and the tests that load it: the test scripts the
// probe's behaviour (including misbehaviour) and reads back what the probe saw.
// Plain data only: both sides are built by the same compiler, but live in different modules.

#include "AE_Effect.h"
#include "AE_EffectCBSuites.h"
#include "AE_EffectPixelFormat.h"

namespace aehost::testing {

inline constexpr PF_Cmd kNoCommand = -1;
inline constexpr int kProbeMaxParams = 12;
inline constexpr A_u_long kProbeVersion = PF_VERSION(1, 2, 3, PF_Stage_RELEASE, 4);
inline constexpr A_long kProbeOutFlags = PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING | PF_OutFlag_DEEP_COLOR_AWARE;
inline constexpr A_long kProbeOutFlags2 = PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA |
                                          PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE |
                                          PF_OutFlag2_SUPPORTS_THREADED_RENDERING;
inline constexpr int kProbeMaxVertices = 16;

// The colour of the probe's frame mark: deterministic per frame (frame = current_time / time_step).
inline PF_Pixel probeMarkColor(A_long frame) {
  return PF_Pixel{255, static_cast<A_u_char>((frame * 40) % 256), static_cast<A_u_char>((frame * 90 + 30) % 256), 200};
}

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

  // --- script: rendering (SMART_PRE_RENDER / SMART_RENDER and FRAME_SETUP / RENDER alike) ---
  // The probe copies the input to the output (World Transform Suite copy), then draws a frame
  // mark: a markSize square of probeMarkColor(frame) at (frame * markStep, markY), made in a
  // temporary world (World Suite, Fill Matte Suite) and put IN_FRONT with transfer_rect at
  // markOpacity. Then, when maskToDraw names a mask, a 1-pixel dot of maskDotColor at every
  // vertex PF_PathVertexInfo delivers, rounded to the nearest pixel.
  bool copyInput = true;  // false: the output keeps what the host handed out
  bool drawMark = true;
  A_long markSize = 4;
  A_long markStep = 3;
  A_long markY = 1;
  A_u_char markOpacity = 255;
  A_u_short markOpacitySu = 32768;
  PF_PathID maskToDraw = PF_PathID_NONE;
  PF_Pixel maskDotColor{255, 255, 255, 255};
  int worldSuiteVersion = 2;             // the World Suite version the probe asks for
  int progressSteps = 0;                 // progress(i, steps) for i = 1..steps, stopping at an error
  int abortChecks = 0;                   // abort() calls, stopping at an error
  bool skipPixelCheckin = false;         // SMART_RENDER never checks the layer pixels in
  bool skipOutputCheckout = false;       // SMART_RENDER never checks out its output
  bool disposeOutput = false;            // hand the host's output world to the World Suite's dispose
  bool leakTempWorld = false;            // keep the temporary mark world
  bool skipPathCheckin = false;          // forget PF_CheckinPath
  bool emptyResultRect = false;          // SMART_PRE_RENDER leaves result_rect empty
  bool noDeleteFunc = false;             // pre_render_data without delete_pre_render_data_func: it leaks
  PF_Err preRenderErr = PF_Err_NONE;     // SMART_PRE_RENDER returns this after setting everything up
  PF_Err renderErr = PF_Err_NONE;        // SMART_RENDER / RENDER return this after drawing
  bool frameDataAtSetup = false;         // FRAME_SETUP makes frame data, FRAME_SETDOWN disposes it
  bool checkoutLayerParam = false;       // RENDER/SMART_RENDER also check out parameter 0 and in again

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

  // --- record: rendering (the latest render; renders on several threads take turns) ---
  int renderCommands = 0;                // SMART_RENDER and RENDER commands seen
  int preRenderDataDeletes = 0;          // calls of the probe's delete_pre_render_data_func
  PF_InData renderIn{};                  // in_data of the latest render command
  PF_PreRenderInput seenPreRenderInput{};
  PF_Err checkoutLayerErr = PF_Err_NONE;
  PF_CheckoutResult seenCheckout{};
  A_long seenPreRenderFrame = -1;        // the frame the pre-render data carried into SMART_RENDER
  short seenSmartBitDepth = 0;
  PF_Err pixelsErr = PF_Err_NONE;
  PF_Err outputErr = PF_Err_NONE;
  PF_EffectWorld seenInput{};
  PF_EffectWorld seenOutput{};
  PF_PixelFormat seenInputFormat = 0;
  PF_PixelFormat seenOutputFormat = 0;
  PF_ParamDef seenLayerParam{};          // params[0] at RENDER, or the checkout of parameter 0
  PF_Err layerParamErr = PF_Err_NONE;
  bool sawFrameData = false;             // RENDER got the frame data FRAME_SETUP made
  PF_Err suiteErr = PF_Err_NONE;         // the first suite call that failed while drawing
  PF_Err progressErr = PF_Err_NONE;
  PF_Err abortErr = PF_Err_NONE;
  PF_Err pathCheckoutErr = PF_Err_NONE;
  bool sawNullOutline = false;
  PF_Boolean seenOpen = 0;
  A_long seenSegments = -1;
  int seenVertexCount = 0;               // vertices read, 0..segments, up to the first error
  PF_Err vertexInfoErr = PF_Err_NONE;    // the error that stopped the reading, if any
  PF_PathVertex seenVertices[kProbeMaxVertices] = {};
};

}  // namespace aehost::testing

// Exported by the probe module.
using AEHostProbeControlFunc = aehost::testing::ProbeControl* (*)();
inline constexpr const char* kAEHostProbeControlSymbol = "AEHostProbeControl";
