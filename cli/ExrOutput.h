// 32-bit renders as OpenEXR: RGBA, half or full float, colours premultiplied by alpha as the
// format expects (the effect's float output is straight). Written as the PNG frames are: to
// an unnamed file in the target's folder that takes its name only when whole.
#pragma once

#include <filesystem>

#include "aehost/Image.h"

namespace inkline_cli {

enum class ExrPrecision { Half, Float };

// Throws RenderFailure when the file cannot be written; nothing is left behind then. The
// image must be float (PF_PixelFormat_ARGB128).
void writeExr(const aehost::Image& image, const std::filesystem::path& file, ExrPrecision precision, bool sync);

}  // namespace inkline_cli
