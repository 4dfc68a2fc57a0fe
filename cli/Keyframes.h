// Parameter values over time: a scene gives a plain value, or a list of keyframes
// [{"time": seconds, "value": v}, ...]. Between keyframes the host interpolates as After
// Effects would: linearly for numbers, colours and points, holding for checkboxes, choices,
// masks and parameters registered as not interpolating.
#pragma once

#include <vector>

#include "AE_Effect.h"
#include "ParamValueParsing.h"
#include "Scene.h"
#include "aehost/ParamTrack.h"

namespace inkline_cli {

// An array of objects: a keyframe list rather than a value such as [r, g, b].
bool isKeyframeList(const Json& value);

// The keyframes in composition ticks, sorted by time. Throws InputError for an empty list,
// a malformed entry, a value that does not fit, or two keyframes at the same tick.
std::vector<aehost::Keyframe> readKeyframes(const PF_ParamDef& def, const Json& list, const std::string& place,
                                            const TimeBase& time, const MaskDirectory& masks);

}  // namespace inkline_cli
