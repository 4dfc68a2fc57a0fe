// The settings file of stored defaults, however damaged: the effect is set up from it and
// renders a stroke in normal time, leaving nothing behind.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "FuzzedEffect.h"
#include "aehost/Mask.h"
#include "aehost/RenderRequest.h"
#include "win32standin/Environment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path appData = [] {
    const auto folder = std::filesystem::temp_directory_path() / ("inkline-fuzz-appdata-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "Tarsk" / "Vellum");
    win32standin::setAppDataFolder(folder.string());
    return folder;
  }();
  {
    std::ofstream out(appData / "Tarsk" / "Vellum" / "Inkline.ini", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  inkline_fuzz::FuzzedEffect& effect = inkline_fuzz::fuzzedEffect();
  effect.freshInstance();  // reads the stored defaults
  effect.instance().layer().addMask(aehost::rectangleMask("Box", 4, 4, 28, 20));
  for (const int depth : {8, 32}) effect.instance().renderFrame(aehost::RenderRequest::atFrame(0, depth));
  effect.finishInstance("a render with stored defaults");
  return 0;
}
