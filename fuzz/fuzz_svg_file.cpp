// SVG files as mask sources: the file read as a viewer renders it, every shape to outlines.
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
    inkline_cli::readSvgFileShapes(file, 640, 480);
  } catch (const inkline_cli::InputError&) {
  }
  return 0;
}
