#include "SceneMasks.h"

#include "ExitCodes.h"
#include "Keyframes.h"
#include "SvgFileMasks.h"
#include "SvgPathData.h"

namespace inkline_cli {

namespace {

// One mask per outline: "Name", "Name 2", ...; without a name "Mask N" by mask number.
void appendNamed(std::vector<MaskOutline> outlines, const std::string& name, std::vector<aehost::Mask>& masks) {
  for (std::size_t i = 0; i < outlines.size(); ++i) {
    aehost::Mask mask;
    if (name.empty()) {
      mask.name = "Mask " + std::to_string(masks.size() + 1);
    } else {
      mask.name = i == 0 ? name : name + " " + std::to_string(i + 1);
    }
    mask.closed = outlines[i].closed;
    mask.vertices = std::move(outlines[i].vertices);
    masks.push_back(std::move(mask));
  }
}

void appendOutlines(const std::string& data, const std::string& name, const std::string& place,
                    std::vector<aehost::Mask>& masks) {
  std::vector<MaskOutline> outlines;
  try {
    outlines = parseSvgPathData(data);
  } catch (const PathDataError& e) {
    failAt(place, describePathDataError(data, e));
  }
  appendNamed(std::move(outlines), name, masks);
}

}  // namespace

// "path": [{"time" or "frame", "path", "interpolation"}, ...]: every keyframe's data gives
// the same outlines (subpaths), each with the same vertex count and closing, so that the host
// can move every vertex and tangent from one key to the next.
void appendKeyframedOutlines(const Json& list, const std::string& name, const std::string& place,
                             const TimeBase& time, std::vector<aehost::Mask>& masks) {
  if (list.empty()) failAt(place, "a keyframe list needs at least one keyframe");
  std::vector<std::vector<MaskOutline>> shapes;
  std::vector<A_long> times;
  std::vector<aehost::KeyframeTiming> timings;
  for (std::size_t k = 0; k < list.size(); ++k) {
    const std::string at = indexPlace(place, k);
    const Json& entry = list[k];
    if (!entry.is_object()) failAt(at, "expected a keyframe {\"time\": seconds or \"frame\": n, \"path\": ...}");
    rejectUnknownKeys(entry, {"time", "frame", "path", "interpolation"}, at);
    if (!entry.contains("path")) failAt(at, "a mask keyframe needs \"path\", the SVG path data");
    const A_long ticks = readKeyframeTime(entry, at, time);
    for (std::size_t j = 0; j < times.size(); ++j) {
      if (times[j] == ticks) failAt(place, "keyframes " + std::to_string(j) + " and " + std::to_string(k) + " are at the same time");
    }
    const std::string data = readString(entry["path"], childPlace(at, "path"));
    try {
      shapes.push_back(parseSvgPathData(data));
    } catch (const PathDataError& e) {
      failAt(childPlace(at, "path"), describePathDataError(data, e));
    }
    const std::vector<MaskOutline>& first = shapes.front();
    const std::vector<MaskOutline>& shape = shapes.back();
    if (shape.size() != first.size()) {
      failAt(childPlace(at, "path"), std::to_string(shape.size()) + " subpaths where keyframe 0 has " +
                                         std::to_string(first.size()) + "; every keyframe needs the same");
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
      if (shape[i].vertices.size() != first[i].vertices.size() || shape[i].closed != first[i].closed) {
        failAt(childPlace(at, "path"), "subpath " + std::to_string(i + 1) + " has " + std::to_string(shape[i].vertices.size()) +
                                           " vertices, " + (shape[i].closed ? "closed" : "open") + ", where keyframe 0 has " +
                                           std::to_string(first[i].vertices.size()) + ", " +
                                           (first[i].closed ? "closed" : "open") + "; every keyframe needs the same");
      }
    }
    times.push_back(ticks);
    timings.push_back(readKeyframeTiming(entry, at));
  }
  const std::size_t firstMask = masks.size();
  appendNamed(shapes.front(), name, masks);
  for (std::size_t i = 0; i < shapes.front().size(); ++i) {
    aehost::Mask& mask = masks[firstMask + i];
    for (std::size_t k = 0; k < shapes.size(); ++k) mask.keyframes.emplace_back(times[k], shapes[k][i].vertices, timings[k]);
  }
}

void appendSceneMasks(const Json& json, const std::string& place, const TimeBase& time, std::vector<aehost::Mask>& masks) {
  requireArray(json, place);
  for (std::size_t i = 0; i < json.size(); ++i) {
    const std::string at = indexPlace(place, i);
    const Json& entry = json[i];
    if (entry.is_string()) {
      appendOutlines(entry.get<std::string>(), "", at, masks);
      continue;
    }
    if (!entry.is_object())
      failAt(at, "expected path data or {\"name\": ..., \"path\": ...}, found " + describeJsonType(entry));
    rejectUnknownKeys(entry, {"name", "path"}, at);
    if (!entry.contains("path")) failAt(at, "needs \"path\", the SVG path data");
    const std::string name = entry.contains("name") ? readString(entry["name"], childPlace(at, "name")) : std::string{};
    if (entry.contains("name") && name.empty()) failAt(childPlace(at, "name"), "a mask name cannot be empty");
    if (entry["path"].is_array()) {
      appendKeyframedOutlines(entry["path"], name, childPlace(at, "path"), time, masks);
    } else {
      appendOutlines(readString(entry["path"], childPlace(at, "path")), name, childPlace(at, "path"), masks);
    }
  }
}

void appendSvgFileMasks(const std::filesystem::path& file, const std::string& place, double layerWidth,
                        double layerHeight, std::vector<aehost::Mask>& masks, std::vector<std::string>& warnings) {
  SvgFileShapes read;
  try {
    read = readSvgFileShapes(file, layerWidth, layerHeight);
  } catch (const InputError& e) {
    failAt(place, e.what());
  }
  for (SvgShape& shape : read.shapes) appendNamed(std::move(shape.outlines), shape.name, masks);
  if (!read.ignored.empty()) {
    warnings.push_back(file.string() + ": ignored what a stroke cannot use: " + read.ignored);
  }
}

}  // namespace inkline_cli
