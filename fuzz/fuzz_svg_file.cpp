// SVG files as mask sources: the file read, then every path's data parsed.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "ExitCodes.h"
#include "SvgFileMasks.h"
#include "SvgPathData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("inkline-fuzz-" + std::to_string(getpid()) + ".svg");
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  try {
    for (const inkline_cli::SvgPathElement& path : inkline_cli::readSvgPathElements(file)) {
      try {
        inkline_cli::parseSvgPathData(path.data);
      } catch (const inkline_cli::PathDataError&) {
      }
    }
  } catch (const inkline_cli::InputError&) {
  }
  return 0;
}
