#include "SceneMasks.h"

#include "ExitCodes.h"
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

void appendSceneMasks(const Json& json, const std::string& place, std::vector<aehost::Mask>& masks) {
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
    appendOutlines(readString(entry["path"], childPlace(at, "path")), name, childPlace(at, "path"), masks);
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
