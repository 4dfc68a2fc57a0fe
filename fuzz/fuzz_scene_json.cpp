// Scene files as inkline-render reads them: anything but a clean InputError is a finding.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "ExitCodes.h"
#include "SceneParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path folder = std::filesystem::temp_directory_path();
  try {
    inkline_cli::parseScene(std::string(reinterpret_cast<const char*>(data), size), "fuzz.json", folder);
  } catch (const inkline_cli::InputError&) {
  }
  return 0;
}
