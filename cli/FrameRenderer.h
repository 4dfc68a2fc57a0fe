// Renders a range of frames through the host on several threads, writing each frame as soon as
// it is done, feeding the progress report and the contact sheet.
#pragma once

#include <filesystem>

#include "ContactSheet.h"
#include "ProgressReport.h"
#include "Scene.h"
#include "aehost/EffectInstance.h"

namespace inkline_cli {

struct FrameJob {
  FrameRange frames;
  RenderOptions render;
  A_long timeStep = 1;  // composition ticks a frame
  std::filesystem::path folder;
  unsigned threads = 1;
};

// The size of the frames a render gives: the layer at the render's downsampling.
void renderedSize(const aehost::EffectInstance& effect, const RenderOptions& render, A_long& width, A_long& height);

// Throws RenderFailure naming the earliest frame that failed (the effect's error and message,
// or a file that could not be written); frames written before stay whole. `sheet` may be null.
void renderFrames(aehost::EffectInstance& effect, const FrameJob& job, ProgressReport& progress, ContactSheet* sheet);

}  // namespace inkline_cli
