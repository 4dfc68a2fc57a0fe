#include "Keyframes.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "NumberText.h"

namespace inkline_cli {

A_long TimeBase::ticksAtSeconds(double seconds) const {
  return static_cast<A_long>(std::llround(seconds * static_cast<double>(timeScale)));
}

bool isKeyframeList(const Json& value) {
  return value.is_array() && !value.empty() &&
         std::all_of(value.begin(), value.end(), [](const Json& e) { return e.is_object(); });
}

std::vector<aehost::Keyframe> readKeyframes(const PF_ParamDef& def, const Json& list, const std::string& place,
                                            const TimeBase& time, const MaskDirectory& masks) {
  if ((def.flags & PF_ParamFlag_CANNOT_TIME_VARY) != 0) {
    failAt(place, "this parameter cannot change over time; give a single value");
  }
  std::vector<aehost::Keyframe> keyframes;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string at = indexPlace(place, i);
    const Json& entry = list[i];
    rejectUnknownKeys(entry, {"time", "value"}, at);
    if (!entry.contains("time") || !entry.contains("value"))
      failAt(at, "a keyframe is {\"time\": seconds, \"value\": ...}");
    const double t = readNumber(entry["time"], childPlace(at, "time"));
    if (t < 0 || t > 100000) failAt(childPlace(at, "time"), "keyframe times run from 0 to 100000 seconds");
    // The host counts time in 32-bit ticks, timeScale of them a second.
    const double latest = std::floor(2147483647.0 / static_cast<double>(time.timeScale));
    if (t > latest) {
      failAt(childPlace(at, "time"), "at this frame rate keyframe times run up to " + numberText(latest) + " seconds");
    }
    const A_long ticks = time.ticksAtSeconds(t);
    for (std::size_t j = 0; j < keyframes.size(); ++j) {
      if (keyframes[j].time == ticks) {
        std::ostringstream text;
        text << "two keyframes at " << t << " s (entries " << j << " and " << i << ")";
        failAt(place, text.str());
      }
    }
    keyframes.push_back({ticks, readParamValue(def, entry["value"], childPlace(at, "value"), masks)});
  }
  std::sort(keyframes.begin(), keyframes.end(), [](const auto& a, const auto& b) { return a.time < b.time; });
  return keyframes;
}

}  // namespace inkline_cli
