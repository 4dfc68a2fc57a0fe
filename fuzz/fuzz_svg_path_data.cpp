// SVG path data ("d" attributes, scene masks): parsed or refused with a position, nothing else.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "SvgPathData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    inkline_cli::parseSvgPathData(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const inkline_cli::PathDataError&) {
  }
  return 0;
}
