#pragma once

#include <functional>

#include <optional>

#include "AE_Effect.h"

namespace aehost {

// How a frame is rendered: SmartFX (PF_Cmd_SMART_PRE_RENDER, then PF_Cmd_SMART_RENDER) or
// classic (PF_Cmd_FRAME_SETUP, PF_Cmd_RENDER, PF_Cmd_FRAME_SETDOWN). Automatic picks SmartFX
// when the PiPL declares PF_OutFlag2_SUPPORTS_SMART_RENDER, as After Effects does.
enum class RenderPath { Automatic, Smart, Classic };

// One frame to render. The time is frame * the composition's time_step in its time_scale
// (24 fps by default), unless timeTicks gives it directly.
struct RenderRequest {
  A_long frame = 0;
  std::optional<A_long> timeTicks;
  int bitDepth = 8;  // 8, 16 or 32 (float: SmartFX only)
  PF_RationalScale downsampleX{1, 1};
  PF_RationalScale downsampleY{1, 1};
  PF_Quality quality = PF_Quality_HI;
  PF_Field field = PF_Field_FRAME;
  RenderPath path = RenderPath::Automatic;

  // Cancelling, as a user pressing Escape: inter.progress returns PF_Interrupt_CANCEL from its
  // n-th call (1-based) on, or from the first call whose `current` reaches the value;
  // inter.abort from its n-th call on. 0 / nullopt: never.
  int cancelAtProgressCall = 0;
  std::optional<A_long> cancelWhenProgressReaches;
  int cancelAtAbortCall = 0;
  // Called on the render thread at every inter.progress call, while the frame renders, after
  // the call is recorded; for progress bars. May be empty.
  std::function<void(A_long current, A_long total)> onProgress;
  // Called on the render thread at every inter.abort call, after it is counted. May be empty.
  std::function<void()> onAbort;

  static RenderRequest atFrame(A_long frame, int bitDepth = 8) {
    RenderRequest request;
    request.frame = frame;
    request.bitDepth = bitDepth;
    return request;
  }
};

}  // namespace aehost
