// Parameter values over time: a scene gives a plain value, or a list of keyframes
// [{"time": seconds or "frame": n, "value": v, "interpolation": ...}, ...]. Between keyframes
// the host interpolates as After Effects would: numbers, colours (per channel) and points
// along each keyframe's timing (linear, hold, ease, ease-in, ease-out or a cubic-bezier
// curve), checkboxes, choices, masks and parameters registered as not interpolating holding.
#pragma once

#include <vector>

#include "AE_Effect.h"
#include "ParamValueParsing.h"
#include "Scene.h"
#include "aehost/ParamTrack.h"

namespace inkline_cli {

// An array of objects: a keyframe list rather than a value such as [r, g, b].
bool isKeyframeList(const Json& value);

// A keyframe entry's time in composition ticks: "time" in seconds or "frame", exactly one.
A_long readKeyframeTime(const Json& entry, const std::string& place, const TimeBase& time);

// A keyframe entry's "interpolation": "linear" (also when missing), "hold" (the value stays
// until the next keyframe), "ease" (After Effects' Easy Ease), "ease-in", "ease-out", or
// [x1, y1, x2, y2] as CSS's cubic-bezier, x1 and x2 from 0 to 1.
aehost::KeyframeTiming readKeyframeTiming(const Json& entry, const std::string& place);

// The keyframes in composition ticks, sorted by time. Throws InputError for an empty list,
// a malformed entry, a value that does not fit, or two keyframes at the same tick.
std::vector<aehost::Keyframe> readKeyframes(const PF_ParamDef& def, const Json& list, const std::string& place,
                                            const TimeBase& time, const MaskDirectory& masks);

}  // namespace inkline_cli
