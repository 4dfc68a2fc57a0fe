#include "FrameSelection.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "ExitCodes.h"

namespace inkline_cli {

namespace {

bool parseWhole(std::string_view text, long long& value) {
  if (text.empty()) return false;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && ptr == text.data() + text.size() && value >= 0;
}

}  // namespace

std::vector<A_long> everyFrame(const FrameRange& sceneFrames) {
  std::vector<A_long> frames;
  for (A_long f = sceneFrames.first; f <= sceneFrames.last; ++f) frames.push_back(f);
  return frames;
}

std::vector<A_long> selectFrames(const std::string& text, const FrameRange& sceneFrames) {
  const std::string usage = "--frames " + text +
                            ": expected frames, ranges FIRST-LAST and steps FIRST-LASTxSTEP separated by commas, "
                            "e.g. --frames 0-23 or 1-99x2,120";
  std::vector<A_long> frames;
  std::string_view rest = text;
  while (true) {
    const std::size_t comma = rest.find(',');
    std::string_view item = rest.substr(0, comma);
    long long first = 0, last = 0, step = 1;
    const std::size_t x = item.find('x');
    if (x != std::string_view::npos) {
      if (!parseWhole(item.substr(x + 1), step) || step < 1) throw InputError(usage);
      item = item.substr(0, x);
    }
    const std::size_t dash = item.find('-');
    if (dash == std::string_view::npos) {
      if (!parseWhole(item, first) || x != std::string_view::npos) throw InputError(usage);
      last = first;
    } else if (!parseWhole(item.substr(0, dash), first) || !parseWhole(item.substr(dash + 1), last)) {
      throw InputError(usage);
    }
    const std::string written(item);
    if (last < first) {
      throw InputError("--frames " + text + ": impossible frame range " + written + ", " + std::to_string(last) +
                       " comes before " + std::to_string(first));
    }
    if (first < sceneFrames.first || last > sceneFrames.last) {
      throw InputError("--frames " + text + ": " + written + " lies outside the scene's frames " +
                       std::to_string(sceneFrames.first) + "-" + std::to_string(sceneFrames.last));
    }
    for (long long f = first; f <= last; f += step) frames.push_back(static_cast<A_long>(f));
    if (comma == std::string_view::npos) break;
    rest = rest.substr(comma + 1);
  }
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  return frames;
}

std::vector<A_long> chunkOf(const std::string& text, const std::vector<A_long>& frames) {
  const std::string usage = "--chunk " + text + ": expected I/N, the I-th of N slices, 1 <= I <= N, e.g. --chunk 3/8";
  const std::size_t slash = text.find('/');
  long long index = 0, count = 0;
  if (slash == std::string::npos || !parseWhole(std::string_view(text).substr(0, slash), index) ||
      !parseWhole(std::string_view(text).substr(slash + 1), count) || index < 1 || count < 1 || index > count) {
    throw InputError(usage);
  }
  // Slice k holds frames [k * size / count, (k + 1) * size / count): contiguous, sizes within one.
  const auto size = static_cast<long long>(frames.size());
  const long long k = index - 1;
  const long long begin = size / count * k + std::min(k, size % count);
  const long long end = begin + size / count + (k < size % count ? 1 : 0);
  return {frames.begin() + begin, frames.begin() + end};
}

std::string framesText(const std::vector<A_long>& frames) {
  if (frames.empty()) return "no frames";
  const std::string span = std::to_string(frames.front()) + "-" + std::to_string(frames.back());
  const bool consecutive = frames.back() - frames.front() + 1 == static_cast<A_long>(frames.size());
  return consecutive ? span : std::to_string(frames.size()) + " frames, " + span;
}

}  // namespace inkline_cli
