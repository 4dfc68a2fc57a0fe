// Scene files: JSON (comments allowed) describing the layer, time, render settings, masks and
// parameter values. Every problem is an InputError "<file>: <place>: <problem>".
#pragma once

#include <filesystem>
#include <string>

#include "Scene.h"

namespace inkline_cli {

Scene readSceneFile(const std::filesystem::path& file);
// The same from text; relative file names are taken from `folder`.
Scene parseScene(const std::string& text, const std::filesystem::path& file, const std::filesystem::path& folder);

}  // namespace inkline_cli
