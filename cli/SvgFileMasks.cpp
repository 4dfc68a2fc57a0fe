#include "SvgFileMasks.h"

#include <pugixml.hpp>

#include "ExitCodes.h"

namespace inkline_cli {

std::vector<SvgPathElement> readSvgPathElements(const std::filesystem::path& file) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_file(file.c_str());
  if (parsed.status == pugi::status_file_not_found || parsed.status == pugi::status_io_error) {
    throw InputError(file.string() + ": cannot read the SVG file");
  }
  if (!parsed) {
    throw InputError(file.string() + ": at byte " + std::to_string(parsed.offset) +
                     ": not valid XML: " + parsed.description());
  }
  std::vector<SvgPathElement> paths;
  std::size_t number = 0;
  for (const pugi::xpath_node& node : document.select_nodes("//*[local-name()='path']")) {
    const pugi::xml_node element = node.node();
    ++number;
    SvgPathElement path;
    path.id = element.attribute("id").value();
    path.place = "path #" + std::to_string(number) + (path.id.empty() ? "" : " (id \"" + path.id + "\")");
    for (pugi::xml_node n = element; n; n = n.parent()) {
      if (n.attribute("transform")) {
        throw InputError(file.string() + ": " + path.place + ": transforms are not supported (found one on <" +
                         n.name() + ">); apply them to the path data before exporting");
      }
    }
    const pugi::xml_attribute d = element.attribute("d");
    if (!d) throw InputError(file.string() + ": " + path.place + ": the path has no \"d\" attribute");
    path.data = d.value();
    paths.push_back(std::move(path));
  }
  if (paths.empty()) throw InputError(file.string() + ": the SVG file has no <path> elements");
  return paths;
}

}  // namespace inkline_cli
