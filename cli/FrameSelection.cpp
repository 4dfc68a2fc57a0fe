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

FrameSpan selectFrames(const std::string& text, const FrameSpan& sceneFrames) {
  const std::string usage = "--frames " + text + ": expected FIRST-LAST or FRAME, e.g. --frames 0-23";
  const std::size_t dash = text.find('-');
  FrameSpan span;
  if (dash == std::string::npos) {
    if (!parseFrame(text, span.first)) throw InputError(usage);
    span.last = span.first;
  } else if (!parseFrame(std::string_view(text).substr(0, dash), span.first) ||
             !parseFrame(std::string_view(text).substr(dash + 1), span.last)) {
    throw InputError(usage);
  }
  if (span.last < span.first) {
    throw InputError("--frames " + text + ": impossible frame range, " + std::to_string(span.last) + " comes before " +
                     std::to_string(span.first));
  }
  if (span.first < sceneFrames.first || span.last > sceneFrames.last) {
    throw InputError("--frames " + text + ": outside the scene's frames " + std::to_string(sceneFrames.first) + "-" +
                     std::to_string(sceneFrames.last));
  }
  return span;
}

}  // namespace inkline_cli
