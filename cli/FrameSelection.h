// Which of the scene's frames to render: --frames lists, ranges and steps, and --chunk, one
// slice of them for one job of a farm's job array, so that no job needs arithmetic and the
// slices together give the frames of one whole render.
#pragma once

#include <string>
#include <vector>

#include "Scene.h"

namespace inkline_cli {

// Comma-separated items, each FRAME, FIRST-LAST or FIRST-LASTxSTEP ("1-100x2,120,130-140"),
// inside the scene's range; the frames in ascending order, each once. Throws InputError.
std::vector<A_long> selectFrames(const std::string& text, const FrameRange& sceneFrames);

// The scene's frames, first to last.
std::vector<A_long> everyFrame(const FrameRange& sceneFrames);

// "I/N": the I-th (1-based) of N contiguous slices of `frames`, in order, whose sizes differ by
// at most one (the first ones the longer); empty when N exceeds the frame count and I is past
// it. Throws InputError.
std::vector<A_long> chunkOf(const std::string& text, const std::vector<A_long>& frames);

// "0-47" for a run of consecutive frames, else "12 frames, 1-23" (first to last).
std::string framesText(const std::vector<A_long>& frames);

}  // namespace inkline_cli
