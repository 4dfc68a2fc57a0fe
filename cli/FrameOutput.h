// Frames on disk: one PNG a frame in the output folder, named by frame number so renders of
// parts of a range fit together. 8-bit renders give 8-bit PNGs, 16 and 32-bit renders 16-bit
// ones, with straight alpha as the effect produced it. Each file is written under a temporary
// name and renamed, so a frame is there whole or not at all.
#pragma once

#include <filesystem>

#include "aehost/Image.h"
#include "aehost/RenderResult.h"

namespace inkline_cli {

// folder/frame_0007.png
std::filesystem::path framePath(const std::filesystem::path& folder, A_long frame);

// Throws InputError when the folder could never be made (a file stands in its way); makes
// nothing, so a run that fails later leaves no empty folder.
void checkOutputFolder(const std::filesystem::path& folder);
// Creates the folder (and its parents), before the first frame is written; throws
// RenderFailure when that fails.
void createOutputFolder(const std::filesystem::path& folder);

// The render's output placed on the downsampled layer: pixels the effect wrote outside it are
// cut, pixels it did not cover are transparent, so every frame has the layer's size.
aehost::Image layerSizedImage(const aehost::RenderResult& result, A_long width, A_long height);

// Throws RenderFailure when the file cannot be written; nothing is left behind then.
void writeFrame(const aehost::Image& image, const std::filesystem::path& file);

}  // namespace inkline_cli
