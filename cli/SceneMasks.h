// The scene's masks: SVG path data strings from the scene, and the paths of an SVG file, as
// host masks in mask order.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "JsonFields.h"
#include "Scene.h"
#include "aehost/Mask.h"

namespace inkline_cli {

// "masks": an array of path data strings or {"name": ..., "path": ...} objects, "path" path
// data or a list of keyframes {"time": seconds or "frame": n, "path": ..., "interpolation": ...}
// whose shapes the host moves between. A path with several subpaths gives several masks:
// "Name", "Name 2", ...; unnamed masks are "Mask N" by their number in the scene.
void appendSceneMasks(const Json& json, const std::string& place, const TimeBase& time, std::vector<aehost::Mask>& masks);

// Every rendered shape of the file (see SvgFileMasks.h) on a layer of the given size, named by
// its layer label or id, or "Mask N"; what the file has that a stroke cannot use is named in a
// warning.
void appendSvgFileMasks(const std::filesystem::path& file, const std::string& place, double layerWidth,
                        double layerHeight, std::vector<aehost::Mask>& masks, std::vector<std::string>& warnings);

}  // namespace inkline_cli
