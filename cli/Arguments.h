// The command line: what to render or report, and how.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace inkline_cli {

struct Arguments {
  std::optional<std::filesystem::path> scene;   // none: the demo scene in examples/
  std::optional<std::filesystem::path> output;  // none: out/<scene name>
  std::optional<std::string> frames;            // "1-99x2,120"
  std::optional<std::string> chunk;             // "I/N"
  std::optional<long long> startNumber;         // the first scene frame's file number
  std::optional<unsigned> jobs;  // none: what the CPUs and memory allow (JobCount.h)
  std::optional<std::filesystem::path> contactSheet;
  std::filesystem::path modulePath;
  bool quiet = false;           // errors and warnings only
  bool progressJson = false;    // a JSON line per finished frame on stdout
  bool fsync = false;           // every frame on the disk before it takes its name
  bool exrHalf = false;         // EXR frames in half floats rather than full
  bool version = false;
  bool listParams = false;
  bool listMasks = false;  // needs a scene
  bool json = false;
  bool about = false;
  bool saveDefaults = false;   // needs a scene
  bool resetDefaults = false;
};

// Parses argv. Returns an exit code when the program should stop now (help was printed: 0;
// the command line was wrong: 2, with the message printed).
std::optional<int> parseArguments(int argc, char** argv, Arguments& arguments);

}  // namespace inkline_cli
