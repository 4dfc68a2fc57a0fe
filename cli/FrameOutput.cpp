#include "FrameOutput.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ExitCodes.h"
#include "aehost/Png.h"

namespace inkline_cli {

std::filesystem::path framePath(const std::filesystem::path& folder, A_long frame) {
  char name[32];
  std::snprintf(name, sizeof name, "frame_%04ld.png", static_cast<long>(frame));
  return folder / name;
}

void checkOutputFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  for (std::filesystem::path p = folder; !p.empty(); p = p.parent_path()) {
    if (std::filesystem::exists(p, ec)) {
      if (!std::filesystem::is_directory(p, ec)) {
        throw InputError(folder.string() + ": cannot create the output folder: " + p.string() + " is not a folder");
      }
      return;
    }
    if (p == p.parent_path()) return;
  }
}

void createOutputFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec || !std::filesystem::is_directory(folder)) {
    throw RenderFailure(folder.string() + ": cannot create the output folder" +
                        (ec ? ": " + ec.message() : std::string{}));
  }
}

aehost::Image layerSizedImage(const aehost::RenderResult& result, A_long width, A_long height) {
  const aehost::Image& source = result.image;
  const PF_LRect& rect = result.outputRect;
  if (source.width() == width && source.height() == height && rect.left == 0 && rect.top == 0) return source;
  aehost::Image placed(width, height, source.empty() ? aehost::formatForBitDepth(result.bitDepth) : source.format());
  if (source.empty()) return placed;
  const std::size_t pixelBytes = aehost::bytesPerPixel(source.format());
  const A_long left = std::max<A_long>(0, rect.left);
  const A_long right = std::min<A_long>(width, rect.left + source.width());
  if (right <= left) return placed;
  for (A_long y = std::max<A_long>(0, rect.top); y < std::min<A_long>(height, rect.top + source.height()); ++y) {
    const std::size_t from =
        (static_cast<std::size_t>(y - rect.top) * source.width() + (left - rect.left)) * pixelBytes;
    const std::size_t to = (static_cast<std::size_t>(y) * width + left) * pixelBytes;
    std::memcpy(placed.bytes().data() + to, source.bytes().data() + from,
                static_cast<std::size_t>(right - left) * pixelBytes);
  }
  return placed;
}

void writeFrame(const aehost::Image& image, const std::filesystem::path& file) {
  try {
    aehost::writePng(image, file);
  } catch (const std::exception& e) {
    throw RenderFailure(file.string() + ": cannot write the frame: " + e.what());
  }
}

}  // namespace inkline_cli
