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

A_long readKeyframeTime(const Json& entry, const std::string& place, const TimeBase& time) {
  if (entry.contains("time") == entry.contains("frame")) {
    failAt(place, "a keyframe has a \"time\" in seconds or a \"frame\", one of the two");
  }
  // The host counts time in 32-bit ticks, timeScale of them a second.
  const double latest = std::floor(2147483647.0 / static_cast<double>(time.timeScale));
  if (entry.contains("frame")) {
    const double lastFrame = std::floor(latest * static_cast<double>(time.timeScale) / static_cast<double>(time.timeStep));
    const long long frame = readInteger(entry["frame"], childPlace(place, "frame"), 0, static_cast<long long>(lastFrame));
    return static_cast<A_long>(frame * time.timeStep);
  }
  const double t = readNumber(entry["time"], childPlace(place, "time"));
  if (t < 0 || t > 100000) failAt(childPlace(place, "time"), "keyframe times run from 0 to 100000 seconds");
  if (t > latest) {
    failAt(childPlace(place, "time"), "at this frame rate keyframe times run up to " + numberText(latest) + " seconds");
  }
  return time.ticksAtSeconds(t);
}

aehost::KeyframeTiming readKeyframeTiming(const Json& entry, const std::string& place) {
  if (!entry.contains("interpolation")) return aehost::KeyframeTiming::linear();
  const std::string at = childPlace(place, "interpolation");
  const Json& value = entry["interpolation"];
  if (value.is_array()) {
    if (value.size() != 4) failAt(at, "a timing curve is [x1, y1, x2, y2], as CSS's cubic-bezier");
    double n[4];
    for (std::size_t i = 0; i < 4; ++i) n[i] = readNumber(value[i], indexPlace(at, i));
    if (n[0] < 0 || n[0] > 1 || n[2] < 0 || n[2] > 1) failAt(at, "x1 and x2 of a timing curve lie from 0 to 1");
    return aehost::KeyframeTiming::bezier(n[0], n[1], n[2], n[3]);
  }
  const std::string name = readString(value, at);
  if (name == "linear") return aehost::KeyframeTiming::linear();
  if (name == "hold") return aehost::KeyframeTiming::holdOut();
  if (name == "ease") return aehost::KeyframeTiming::ease();
  if (name == "ease-in") return aehost::KeyframeTiming::easeIn();
  if (name == "ease-out") return aehost::KeyframeTiming::easeOut();
  failAt(at, "expected \"linear\", \"hold\", \"ease\", \"ease-in\", \"ease-out\" or [x1, y1, x2, y2], found \"" + name +
                 "\"");
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
    rejectUnknownKeys(entry, {"time", "frame", "value", "interpolation"}, at);
    if (!entry.contains("value")) failAt(at, "a keyframe is {\"time\": seconds or \"frame\": n, \"value\": ...}");
    const A_long ticks = readKeyframeTime(entry, at, time);
    for (std::size_t j = 0; j < keyframes.size(); ++j) {
      if (keyframes[j].time == ticks) {
        std::ostringstream text;
        text << "two keyframes at " << static_cast<double>(ticks) / static_cast<double>(time.timeScale) << " s (entries "
             << j << " and " << i << ")";
        failAt(place, text.str());
      }
    }
    keyframes.push_back({ticks, readParamValue(def, entry["value"], childPlace(at, "value"), masks),
                         readKeyframeTiming(entry, at)});
  }
  std::sort(keyframes.begin(), keyframes.end(), [](const auto& a, const auto& b) { return a.time < b.time; });
  return keyframes;
}

}  // namespace inkline_cli
