// --frames A-B: the part of the scene's frame range to render, so one range can be split
// across machines and still give the same frames.
#pragma once

#include <string>

#include "Scene.h"

namespace inkline_cli {

// "A-B" or "A" (one frame), inclusive; must lie within the scene's range. Throws InputError.
FrameRange selectFrames(const std::string& text, const FrameRange& sceneFrames);

}  // namespace inkline_cli
