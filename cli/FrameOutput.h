// Frames on disk: one PNG a frame in the output folder, named by frame number so renders of
// parts of a range fit together. 8-bit renders give 8-bit PNGs, 16 and 32-bit renders 16-bit
// ones, with straight alpha as the effect produced it. Each file is written under a temporary
// name and renamed, so a frame is there whole or not at all.
#pragma once

#include <filesystem>
#include <string>

#include "aehost/Image.h"
#include "aehost/Png.h"
#include "aehost/RenderResult.h"

namespace inkline_cli {

// Where each frame goes, from -o: a folder, the frames named frame_0007.png in it; or a file
// pattern whose name holds the number as a run of '#' (shot.####.png: zero-padded to the
// run's length, longer where the number needs more digits) or as printf's %d or %0Nd, ending
// in .png, or .exr for OpenEXR (32-bit renders).
class FrameNaming {
 public:
  // Throws InputError for a pattern with more than one number place or another '%' use.
  explicit FrameNaming(const std::filesystem::path& output);

  const std::filesystem::path& folder() const { return folder_; }
  bool isPattern() const { return pattern_; }
  bool writesExr() const { return exr_; }
  std::filesystem::path fileFor(long long number) const;

 private:
  std::filesystem::path folder_;
  bool pattern_ = false;
  std::string prefix_ = "frame_";
  std::string suffix_ = ".png";
  int digits_ = 4;
  bool exr_ = false;
};

// Throws InputError when the folder could never be made (a file stands in its way); makes
// nothing, so a run that fails later leaves no empty folder.
void checkOutputFolder(const std::filesystem::path& folder);
// Creates the folder (and its parents), before the first frame is written; throws
// RenderFailure when that fails.
void createOutputFolder(const std::filesystem::path& folder);

// The render's output placed on the downsampled layer: pixels the effect wrote outside it are
// cut, pixels it did not cover are transparent, so every frame has the layer's size.
aehost::Image layerSizedImage(const aehost::RenderResult& result, A_long width, A_long height);

// How a frame's PNG is compressed: at zlib's level 4, which wrote a photograph-like frame in
// 40 % of the time of level 6 (the default), as small, and the demo's frames in 80 %, 1.4 %
// larger. Strokes over a plain layer make rows that are mostly runs of one colour: unfiltered,
// those compress smaller (the demo's frames by 14 %) and over twice as fast as with libpng's
// choice of filter for every row, which tries five. Other frames (a photograph as the layer)
// keep the filters: unfiltered, such a file is half as large again.
aehost::PngWriteOptions frameWriteOptions(const aehost::Image& image, bool sync);

// Throws RenderFailure when the file cannot be written; nothing is left behind then. `sync`:
// on the disk before it takes its name.
void writeFrame(const aehost::Image& image, const std::filesystem::path& file, bool sync);

}  // namespace inkline_cli
