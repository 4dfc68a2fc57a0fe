#pragma once

#include <string>
#include <vector>

#include "AE_Effect.h"
#include "aehost/Image.h"

namespace aehost {

struct ProgressCall {
  A_long current = 0;
  A_long total = 0;
  bool operator==(const ProgressCall&) const = default;
};

// What one renderFrame returned. Every world the render used is released by then; `image` is
// a copy of the output world as the effect left it.
struct RenderResult {
  PF_Err err = PF_Err_NONE;  // the first command that failed, PF_Interrupt_CANCEL when cancelled
  std::string message;       // out_data->return_msg of that command (or the last one)
  bool smart = false;        // which path was taken
  int bitDepth = 8;
  A_long timeTicks = 0;

  // The output in the pixels of the downsampled layer: `image` covers outputRect (the
  // pre-render's result_rect; the whole downsampled layer for a classic render). Empty when
  // the effect never checked out its output or the result rect was empty.
  Image image;
  PF_LRect outputRect{};

  // SmartFX: what PF_Cmd_SMART_PRE_RENDER reported (its pointers are stale by now).
  PF_Err preRenderErr = PF_Err_NONE;
  PF_PreRenderOutput preRender{};
  bool preRenderDataDeleted = false;  // the host called delete_pre_render_data_func

  std::vector<ProgressCall> progress;  // inter.progress calls, in order
  int abortCalls = 0;

  bool ok() const { return err == PF_Err_NONE; }
};

}  // namespace aehost
