// Renders a range of frames through the host on several threads, writing each frame as soon as
// it is done, feeding the progress report and the contact sheet.
#pragma once

#include <filesystem>
#include <vector>

#include "ContactSheetWriter.h"
#include "ExrOutput.h"
#include "FrameOutput.h"
#include "ProgressReport.h"
#include "Scene.h"
#include "aehost/EffectInstance.h"

namespace inkline_cli {

struct FrameJob {
  std::vector<A_long> frames;  // scene frame numbers, ascending
  RenderOptions render;
  A_long timeStep = 1;  // composition ticks a frame
  FrameNaming naming;
  long long numberOffset = 0;  // a frame's file number is its scene number plus this
  unsigned threads = 1;
  bool syncFrames = false;  // fsync every frame
  ExrPrecision exrPrecision = ExrPrecision::Float;
};

// The size of the frames a render gives: the layer at the render's downsampling.
void renderedSize(const aehost::EffectInstance& effect, const RenderOptions& render, A_long& width, A_long& height);

// Throws RenderFailure naming the earliest frame that failed (the effect's error and message,
// or a file that could not be written); frames written before stay whole. `sheet` may be null.
// Returns the number of frames rendered at once.
unsigned renderFrames(aehost::EffectInstance& effect, const FrameJob& job, ProgressReport& progress, ContactSheetWriter* sheet);

}  // namespace inkline_cli
