#include "SceneParser.h"

#include <cmath>
#include <fstream>
#include <map>
#include <numeric>
#include <set>
#include <sstream>

#include "ColorText.h"
#include "ExitCodes.h"
#include "JsonFields.h"
#include "SceneMasks.h"
#include "aehost/Png.h"

namespace inkline_cli {

namespace {

// After Effects' largest layer.
constexpr long long kMaxLayerSide = 30000;
constexpr long long kMaxFrame = 1000000;

std::filesystem::path resolve(const std::filesystem::path& folder, const std::string& name) {
  const std::filesystem::path path(name);
  return path.is_absolute() ? path : folder / path;
}

void readLayer(const Json& json, const std::filesystem::path& folder, Scene& scene) {
  const std::string place = "layer";
  requireObject(json, place);
  rejectUnknownKeys(json, {"width", "height", "image", "background"}, place);
  SceneLayer& layer = scene.layer;
  if (json.contains("image")) {
    if (json.contains("background")) {
      failAt(childPlace(place, "background"),
             "a background fills the layer only when there is no image; give one or the other");
    }
    layer.imageFile = resolve(folder, readString(json["image"], childPlace(place, "image")));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(*layer.imageFile, ec)) {
      failAt(childPlace(place, "image"), "cannot find the image " + layer.imageFile->string());
    }
    try {
      layer.image = aehost::readPng(*layer.imageFile);
    } catch (const std::exception& e) {
      failAt(childPlace(place, "image"), "cannot read " + layer.imageFile->string() + ": " + e.what());
    }
    layer.width = layer.image.width();
    layer.height = layer.image.height();
    for (const char* key : {"width", "height"}) {
      if (json.contains(key)) {
        const long long given = readInteger(json[key], childPlace(place, key), 1, kMaxLayerSide);
        const A_long actual = std::string(key) == "width" ? layer.width : layer.height;
        if (given != actual) {
          failAt(childPlace(place, key), "is " + std::to_string(given) + " but the image is " +
                                             std::to_string(layer.width) + " x " + std::to_string(layer.height) +
                                             "; leave it out to use the image's size");
        }
      }
    }
    return;
  }
  for (const char* key : {"width", "height"}) {
    if (!json.contains(key)) failAt(place, std::string("needs \"") + key + "\" (or an \"image\")");
  }
  layer.width = static_cast<A_long>(readInteger(json["width"], childPlace(place, "width"), 1, kMaxLayerSide));
  layer.height = static_cast<A_long>(readInteger(json["height"], childPlace(place, "height"), 1, kMaxLayerSide));
  if (json.contains("background"))
    layer.background = readColor(json["background"], childPlace(place, "background"), true);
}

// The frame rate as ticks: a thousand ticks a frame, so keyframe times keep millisecond-ish
// precision between frames and rates like 29.97 stay exact.
TimeBase timeBaseFor(double frameRate) {
  TimeBase time;
  time.timeStep = 1000;
  time.timeScale = static_cast<A_u_long>(std::llround(frameRate * 1000.0));
  return time;
}

void readFrameRate(const Json& json, Scene& scene) {
  const double rate = readNumber(json, "frame_rate");
  if (!(rate >= 1 && rate <= 999)) failAt("frame_rate", json.dump() + " is outside 1 to 999 frames per second");
  if (std::fabs(rate * 1000.0 - std::round(rate * 1000.0)) > 1e-6) {
    failAt("frame_rate", "give the rate to at most three decimals");
  }
  scene.frameRate = rate;
  scene.time = timeBaseFor(rate);
}

void readFrames(const Json& json, Scene& scene) {
  const std::string place = "frames";
  requireObject(json, place);
  rejectUnknownKeys(json, {"start", "end"}, place);
  for (const char* key : {"start", "end"}) {
    if (!json.contains(key)) failAt(place, std::string("needs \"") + key + "\" (the first and last frame, inclusive)");
  }
  scene.frames.first = static_cast<A_long>(readInteger(json["start"], childPlace(place, "start"), 0, kMaxFrame));
  scene.frames.last = static_cast<A_long>(readInteger(json["end"], childPlace(place, "end"), 0, kMaxFrame));
  if (scene.frames.last < scene.frames.first) {
    failAt(place, "impossible frame range: end " + std::to_string(scene.frames.last) + " comes before start " +
                      std::to_string(scene.frames.first));
  }
}

PF_RationalScale downsampleFactor(const Json& json, const std::string& place) {
  return PF_RationalScale{1, static_cast<A_u_long>(readInteger(json, place, 1, 64))};
}

void readRender(const Json& json, Scene& scene) {
  const std::string place = "render";
  requireObject(json, place);
  rejectUnknownKeys(json, {"depth", "downsample", "quality"}, place);
  RenderOptions& render = scene.render;
  if (json.contains("depth")) {
    const std::string at = childPlace(place, "depth");
    const long long depth = readInteger(json["depth"], at, 0, 64);
    if (depth != 8 && depth != 16 && depth != 32)
      failAt(at, "the depth is 8, 16 or 32 bits per channel, not " + std::to_string(depth));
    render.bitDepth = static_cast<int>(depth);
  }
  if (json.contains("downsample")) {
    const std::string at = childPlace(place, "downsample");
    const Json& value = json["downsample"];
    if (value.is_array()) {
      if (value.size() != 2) failAt(at, "expected one factor or [x, y]");
      render.downsampleX = downsampleFactor(value[0], indexPlace(at, 0));
      render.downsampleY = downsampleFactor(value[1], indexPlace(at, 1));
    } else {
      render.downsampleX = render.downsampleY = downsampleFactor(value, at);
    }
  }
  if (json.contains("quality")) {
    const std::string at = childPlace(place, "quality");
    const std::string quality = readString(json["quality"], at);
    if (quality == "high") {
      render.quality = PF_Quality_HI;
    } else if (quality == "low") {
      render.quality = PF_Quality_LO;
    } else {
      failAt(at, "quality is \"high\" or \"low\", not \"" + quality + "\"");
    }
  }
}

void readParams(const Json& json, Scene& scene) {
  requireObject(json, "params");
  for (const auto& item : json.items()) {
    scene.params.push_back(SceneParam{item.key(), item.value(), childPlace("params", item.key())});
  }
}

// "Target Path" names a mask: two of one name could not be told apart. Automatic names
// ("Mask 3", "Hill 2") count too.
void checkMaskNamesDiffer(const std::vector<aehost::Mask>& masks, std::size_t sceneMasks) {
  std::map<std::string, std::size_t> seen;
  for (std::size_t i = 0; i < masks.size(); ++i) {
    const auto [first, added] = seen.emplace(masks[i].name, i);
    if (added) continue;
    failAt(i < sceneMasks ? "masks" : "svg", "mask " + std::to_string(i + 1) + " is named \"" + masks[i].name +
                                                 "\" like mask " + std::to_string(first->second + 1) +
                                                 "; every mask needs a name of its own");
  }
}

// A key written twice in one object: JSON readers keep one of the two silently, so a value
// the user changed could be the one thrown away. Tracked while parsing, with the place.
class DuplicateKeys {
 public:
  bool operator()(int, Json::parse_event_t event, Json& parsed) {
    switch (event) {
      case Json::parse_event_t::object_start:
      case Json::parse_event_t::array_start:
        open(event == Json::parse_event_t::object_start);
        break;
      case Json::parse_event_t::object_end:
      case Json::parse_event_t::array_end:
        frames_.pop_back();
        break;
      case Json::parse_event_t::key: {
        Frame& frame = frames_.back();
        frame.key = parsed.get<std::string>();
        if (!frame.keys.insert(frame.key).second) {
          throw InputError(childPlace(frame.place, frame.key) + ": the key appears twice in the same object");
        }
        break;
      }
      case Json::parse_event_t::value:
        if (!frames_.empty() && !frames_.back().object) ++frames_.back().index;
        break;
    }
    return true;
  }

 private:
  struct Frame {
    bool object = false;
    std::string place;
    std::string key;           // the object's current key
    std::size_t index = 0;     // the array's next element
    std::set<std::string> keys;
  };

  void open(bool object) {
    std::string place;
    if (!frames_.empty()) {
      Frame& parent = frames_.back();
      place = parent.object ? childPlace(parent.place, parent.key) : indexPlace(parent.place, parent.index++);
    }
    frames_.push_back(Frame{object, std::move(place), {}, 0, {}});
  }

  std::vector<Frame> frames_;
};

Json parseJson(const std::string& text) {
  try {
    return Json::parse(text, DuplicateKeys{}, true, /*ignore_comments=*/true);
  } catch (const Json::exception& e) {
    // nlohmann's text is "[json.exception.parse_error.101] parse error at line 3, column 5: ..."
    // (or out_of_range.406 for a number beyond a double, such as 1e400).
    std::string message = e.what();
    const std::size_t bracket = message.find("] ");
    if (bracket != std::string::npos) message = message.substr(bracket + 2);
    throw InputError("not valid JSON: " + message);
  }
}

}  // namespace

Scene parseScene(const std::string& text, const std::filesystem::path& file, const std::filesystem::path& folder) {
  try {
    const Json json = parseJson(text);
    requireObject(json, "");
    rejectUnknownKeys(json, {"layer", "frame_rate", "frames", "render", "masks", "svg", "params"}, "");
    Scene scene;
    scene.file = file;
    if (!json.contains("layer"))
      failAt("layer", "the scene needs a layer: {\"width\": ..., \"height\": ...} or {\"image\": ...}");
    readLayer(json["layer"], folder, scene);
    if (json.contains("frame_rate")) {
      readFrameRate(json["frame_rate"], scene);
    } else {
      scene.time = timeBaseFor(scene.frameRate);
    }
    if (json.contains("frames")) readFrames(json["frames"], scene);
    if (json.contains("render")) readRender(json["render"], scene);
    if (json.contains("masks")) appendSceneMasks(json["masks"], "masks", scene.time, scene.masks);
    const std::size_t sceneMasks = scene.masks.size();
    if (json.contains("svg")) {
      appendSvgFileMasks(resolve(folder, readString(json["svg"], "svg")), "svg", scene.layer.width, scene.layer.height,
                         scene.masks, scene.warnings);
    }
    checkMaskNamesDiffer(scene.masks, sceneMasks);
    if (json.contains("params")) readParams(json["params"], scene);
    return scene;
  } catch (const InputError& e) {
    throw InputError(file.string() + ": " + e.what());
  }
}

Scene readSceneFile(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::error_code ec;
  if (!stream || std::filesystem::is_directory(file, ec))
    throw InputError(file.string() + ": cannot read the scene file");
  std::ostringstream text;
  text << stream.rdbuf();
  return parseScene(text.str(), file, file.parent_path());
}

}  // namespace inkline_cli
