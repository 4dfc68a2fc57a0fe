#include "FrameSelection.h"

#include <charconv>

#include "ExitCodes.h"

namespace inkline_cli {

namespace {

bool parseFrame(std::string_view text, A_long& frame) {
  if (text.empty()) return false;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), frame);
  return ec == std::errc{} && ptr == text.data() + text.size() && frame >= 0;
}

}  // namespace

FrameRange selectFrames(const std::string& text, const FrameRange& sceneFrames) {
  const std::string usage = "--frames " + text + ": expected FIRST-LAST or FRAME, e.g. --frames 0-23";
  const std::size_t dash = text.find('-');
  FrameRange range;
  if (dash == std::string::npos) {
    if (!parseFrame(text, range.first)) throw InputError(usage);
    range.last = range.first;
  } else if (!parseFrame(std::string_view(text).substr(0, dash), range.first) ||
             !parseFrame(std::string_view(text).substr(dash + 1), range.last)) {
    throw InputError(usage);
  }
  if (range.last < range.first) {
    throw InputError("--frames " + text + ": impossible frame range, " + std::to_string(range.last) + " comes before " +
                     std::to_string(range.first));
  }
  if (range.first < sceneFrames.first || range.last > sceneFrames.last) {
    throw InputError("--frames " + text + ": outside the scene's frames " + std::to_string(sceneFrames.first) + "-" +
                     std::to_string(sceneFrames.last));
  }
  return range;
}

}  // namespace inkline_cli
