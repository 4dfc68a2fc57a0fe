// Masks from an SVG file: every <path> element in document order, named by its id.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace inkline_cli {

struct SvgPathElement {
  std::string id;     // empty when the element has none
  std::string data;   // its d attribute
  std::string place;  // "path #3 (id "wave")", for messages
};

// Throws InputError naming the file when it cannot be read or parsed, when a path has no d
// attribute, or when a path or one of its groups carries a transform (masks are taken in the
// layer's pixels, so a transform would silently move them).
std::vector<SvgPathElement> readSvgPathElements(const std::filesystem::path& file);

}  // namespace inkline_cli
