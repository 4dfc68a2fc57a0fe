// A scene as read from its JSON file: the layer, time, render settings, masks and the effect's
// parameter values. Parameter values stay JSON until the plug-in has told us its panel, since
// only the registered definitions say what a value must look like.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "AE_Effect.h"
#include "aehost/Image.h"
#include "aehost/Mask.h"

namespace inkline_cli {

// The layer the effect is applied to.
struct SceneLayer {
  A_long width = 0;  // from the image when one is given
  A_long height = 0;
  std::optional<std::filesystem::path> imageFile;  // resolved against the scene's folder
  aehost::Image image;                             // its pixels, 8 or 16-bit; empty without one
  PF_Pixel8 background{255, 255, 255, 255};        // alpha, red, green, blue; fills the layer without an image
};

// The frames to render, first to last.
struct FrameRange {
  A_long first = 0;
  A_long last = 0;  // inclusive
  A_long count() const { return last - first + 1; }
};

// How every frame is rendered: bits per channel, downsampling, quality.
struct RenderOptions {
  int bitDepth = 8;
  PF_RationalScale downsampleX{1, 1};
  PF_RationalScale downsampleY{1, 1};
  PF_Quality quality = PF_Quality_HI;
};

// Time in the composition's units: a frame lasts timeStep ticks of which timeScale make a second.
struct TimeBase {
  A_u_long timeScale = 24000;
  A_long timeStep = 1000;
  A_long ticksAtSeconds(double seconds) const;
};

struct SceneParam {
  std::string name;      // display name as written in the scene
  nlohmann::json value;  // plain value or keyframe list
  std::string place;     // where it sits in the file, for messages
};

struct Scene {
  std::filesystem::path file;  // for messages; empty for scenes made in memory
  SceneLayer layer;
  TimeBase time;
  double frameRate = 24;
  FrameRange frames;
  RenderOptions render;
  std::vector<aehost::Mask> masks;  // in mask order: the scene's own, then the SVG file's
  std::vector<SceneParam> params;   // in file order
  std::vector<std::string> warnings;  // about what was read but cannot be used, one line each
};

}  // namespace inkline_cli
