// The scene's masks: SVG path data strings from the scene, and the paths of an SVG file, as
// host masks in mask order.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "JsonFields.h"
#include "aehost/Mask.h"

namespace inkline_cli {

// "masks": an array of path data strings or {"name": ..., "path": ...} objects. A path data
// string with several subpaths gives several masks: "Name", "Name 2", ...; unnamed masks are
// "Mask N" by their number in the scene.
void appendSceneMasks(const Json& json, const std::string& place, std::vector<aehost::Mask>& masks);

// Every <path> of the file, named by its id or "Mask N".
void appendSvgFileMasks(const std::filesystem::path& file, const std::string& place, std::vector<aehost::Mask>& masks);

}  // namespace inkline_cli
