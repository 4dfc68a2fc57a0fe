// Masks from an SVG file, read as an SVG viewer renders it: every rendered shape element in
// document order (path, rect, circle, ellipse, line, polyline, polygon), each subpath one
// outline, through the transforms of the element and its ancestors, nested viewports and
// <use>, with the root viewport mapped onto the layer's pixels. What is not rendered (defs,
// clip paths, masks, markers, patterns, symbols other than through <use>, display none,
// visibility hidden) gives no mask.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "SvgPathData.h"

namespace inkline_cli {

struct SvgShape {
  std::string name;   // an editor's layer label, else the id; empty when it has neither
  std::string place;  // "line 12: <rect> (id "frame")", for messages
  std::vector<MaskOutline> outlines;  // in layer pixels
};

struct SvgFileShapes {
  std::vector<SvgShape> shapes;
  // What the file has that a stroke cannot use (text, images, fills, filters), as
  // "2 <text>, 1 <image>"; empty when there is none.
  std::string ignored;
};

// The root viewport is the layer: width and height default to 100 % of it, one px to a
// pixel. Throws InputError naming the file and the place when the file cannot be read or
// parsed, when an attribute is malformed, or when it has no shape to stroke.
SvgFileShapes readSvgFileShapes(const std::filesystem::path& file, double layerWidth, double layerHeight);

}  // namespace inkline_cli
