#include "Arguments.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "ExitCodes.h"
#include "InstallPaths.h"

namespace inkline_cli {

std::optional<int> parseArguments(int argc, char** argv, Arguments& arguments) {
  CLI::App app{
      "inkline-render: renders the Inkline effect to PNG frames through the simulated After Effects host.\n"
      "Without a scene it renders the demo scene into out/demo, with a contact sheet."};
  app.get_formatter()->column_width(30);

  std::string scene;
  std::string output;
  std::string frames;
  std::string contactSheet;
  std::string module = defaultModulePath().string();
  unsigned jobs = 1;

  app.add_option("scene", scene, "Scene file (JSON); default: the demo scene");
  std::string chunk;
  long long startNumber = 0;
  app.add_option("-o,--output", output,
                 "Folder for the frames, or a file pattern with #### or %04d for the frame number "
                 "(out/shot.####.png); default: out/<scene name>");
  app.add_option("--frames", frames, "Render only these frames of the scene: 0-23, 1-99x2 (every second), lists 1,5,9-12");
  app.add_option("--chunk", chunk, "Render only the I-th of N contiguous slices of the frames (I/N, e.g. 3/8), for job arrays");
  auto* start = app.add_option("--start-number", startNumber,
                               "Number the output files from N at the scene's first frame, scene time unchanged")
                    ->check(CLI::Range(0LL, 999999999LL));
  auto* jobsOption = app.add_option("-j,--jobs", jobs,
                                    "Frames rendered at once; default: the CPUs this process may use, fewer where "
                                    "their frames would not fit in the memory available")
                         ->check(CLI::Range(1u, 256u));
  app.add_option("--contact-sheet", contactSheet, "Also write a contact sheet of all frames to this PNG");
  std::string progress;
  auto* quiet = app.add_flag("-q,--quiet", arguments.quiet, "Print nothing but errors and warnings");
  app.add_option("--progress", progress,
                 "json: one JSON line per finished frame on stdout ({\"frame\", \"file\", \"ms\"}), for farm managers")
      ->check(CLI::IsMember({"json"}))
      ->excludes(quiet);
  app.add_flag("--fsync", arguments.fsync, "Flush every frame to the disk before it takes its name");
  std::string exr = "float";
  app.add_option("--exr", exr, "EXR frames (an -o pattern ending in .exr) in half or full float; default: float")
      ->check(CLI::IsMember({"half", "float"}));
  app.add_flag("--version", arguments.version, "Print the renderer's and the plug-in's versions and exit");
  auto* list = app.add_flag("--list-params", arguments.listParams, "Print the effect's parameters and exit");
  auto* masks = app.add_flag("--list-masks", arguments.listMasks,
                             "Print the scene's masks (name, vertices, open or closed, bounding box) and exit");
  app.add_flag("--json", arguments.json, "With --list-params or --list-masks: print them as JSON");
  masks->excludes(list);
  auto* about = app.add_flag("--about", arguments.about, "Print the effect's about text and exit");
  auto* save = app.add_flag("--save-defaults", arguments.saveDefaults,
                            "Store the scene's parameter values (at its first frame) as the effect's defaults, "
                            "through its Options dialog, and exit");
  auto* reset = app.add_flag("--reset-defaults", arguments.resetDefaults,
                             "Restore the effect's initial defaults through its Options dialog and exit");
  save->excludes(reset)->excludes(list)->excludes(about)->excludes(masks);
  reset->excludes(list)->excludes(about)->excludes(masks);
  about->excludes(masks);
  app.add_option("--module", module, "The plug-in module to load")->check(CLI::ExistingFile)->default_str(module);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kExitOk : kExitBadInput;
  }
  // An option given an empty value ("-o ''") is a mistake, not the option left out.
  for (const CLI::Option* option : {app.get_option("--output"), app.get_option("--frames"), app.get_option("--chunk"),
                                    app.get_option("--contact-sheet"), app.get_option("--module"), app.get_option("scene")}) {
    if (option->count() > 0 && option->as<std::string>().empty()) {
      std::cerr << (option->get_name() == "scene" ? std::string("the scene") : option->get_name())
                << " needs a value, found an empty one\n";
      return kExitBadInput;
    }
  }
  if (arguments.json && !arguments.listParams && !arguments.listMasks) {
    std::cerr << "--json goes with --list-params or --list-masks\n";
    return kExitBadInput;
  }
  if (arguments.listMasks && scene.empty()) {
    std::cerr << "--list-masks needs a scene: inkline-render --list-masks SCENE\n";
    return kExitBadInput;
  }
  if (arguments.saveDefaults && scene.empty()) {
    std::cerr << "--save-defaults needs a scene: inkline-render --save-defaults SCENE\n";
    return kExitBadInput;
  }
  if (arguments.resetDefaults && !scene.empty()) {
    std::cerr << "--reset-defaults takes no scene\n";
    return kExitBadInput;
  }
  if (!scene.empty()) arguments.scene = scene;
  if (!output.empty()) arguments.output = output;
  if (!frames.empty()) arguments.frames = frames;
  if (!chunk.empty()) arguments.chunk = chunk;
  arguments.progressJson = progress == "json";
  arguments.exrHalf = exr == "half";
  if (jobsOption->count() > 0) arguments.jobs = jobs;
  if (start->count() > 0) arguments.startNumber = startNumber;
  if (!contactSheet.empty()) arguments.contactSheet = contactSheet;
  arguments.modulePath = module;
  return std::nullopt;
}

}  // namespace inkline_cli
