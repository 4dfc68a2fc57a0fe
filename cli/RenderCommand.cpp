// Rendering a scene: everything the user gave is read and checked first, so bad input stops
// the program before a single file is written.
#include <csignal>
#include <iostream>

#include "Commands.h"
#include "ContactSheetWriter.h"
#include "ExitCodes.h"
#include "FrameOutput.h"
#include "FrameRenderer.h"
#include "FrameSelection.h"
#include "InstallPaths.h"
#include "Interrupts.h"
#include "JobCount.h"
#include "PluginSession.h"
#include "SceneParser.h"
#include "SceneSetup.h"
#include "aehost/Png.h"

namespace inkline_cli {

namespace {

std::filesystem::path defaultOutput(const std::filesystem::path& scene) {
  return std::filesystem::path("out") / scene.stem();
}

// A sheet path that can never be written is bad input, found before any frame is rendered.
void checkContactSheetPath(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) throw InputError(file.string() + ": the contact sheet path is a folder");
  for (std::filesystem::path p = file.parent_path(); !p.empty(); p = p.parent_path()) {
    if (std::filesystem::exists(p, ec)) {
      if (!std::filesystem::is_directory(p, ec))
        throw InputError(file.string() + ": cannot write the contact sheet: " + p.string() + " is not a folder");
      break;
    }
    if (p == p.parent_path()) break;
  }
}

// Without --jobs: the CPUs this process may use, fewer where their frames would not fit in
// the memory available, which one line tells.
unsigned defaultJobs(A_long width, A_long height, int bitDepth, bool quiet) {
  const unsigned cpus = usableCpus();
  const std::uint64_t pixelBytes = bitDepth == 32 ? 16 : bitDepth == 16 ? 8 : 4;
  const std::uint64_t perJob = bytesPerJob(static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height), pixelBytes);
  const std::optional<std::uint64_t> available = availableMemory();
  const unsigned jobs = jobsThatFit(cpus, available, perJob);
  if (jobs < cpus && !quiet) {
    const auto megabytes = [](std::uint64_t bytes) { return std::to_string((bytes + (1u << 19)) >> 20) + " MB"; };
    std::cerr << "inkline-render: " << jobs << (jobs == 1 ? " job" : " jobs") << " at once, not " << cpus << ": a "
              << width << " x " << height << " frame at " << bitDepth << " bits takes about " << megabytes(perJob)
              << " a job and " << megabytes(*available) << " is available\n";
  }
  return jobs;
}

}  // namespace

int renderScene(const Arguments& arguments) {
  const bool demo = !arguments.scene.has_value();
  const std::filesystem::path scenePath = demo ? demoScenePath() : *arguments.scene;
  const Scene scene = readSceneFile(scenePath);
  for (const std::string& warning : scene.warnings) std::cerr << "inkline-render: warning: " << warning << "\n";
  std::vector<A_long> frames = arguments.frames ? selectFrames(*arguments.frames, scene.frames) : everyFrame(scene.frames);
  if (arguments.chunk) {
    const std::size_t all = frames.size();
    frames = chunkOf(*arguments.chunk, frames);
    if (frames.empty()) {
      // A job array with more jobs than frames: this job has nothing to do, which is no error.
      std::cerr << "inkline-render: --chunk " << *arguments.chunk << ": no frames in this slice of " << all << "\n";
      return kExitOk;
    }
  }
  const FrameNaming naming(arguments.output.value_or(defaultOutput(scenePath)));
  if (naming.writesExr() && scene.render.bitDepth != 32) {
    throw InputError(naming.fileFor(0).string() + ": EXR frames need a 32-bit render (\"render\": {\"depth\": 32}); " +
                     "8 and 16-bit renders are written as PNG");
  }
  const std::filesystem::path& folder = naming.folder();
  std::optional<std::filesystem::path> sheetFile = arguments.contactSheet;
  if (!sheetFile && demo) sheetFile = folder / "contact-sheet.png";
  if (sheetFile) checkContactSheetPath(*sheetFile);
  checkOutputFolder(folder);

  PluginSession session(arguments.modulePath, compositionFor(scene));
  aehost::EffectInstance& effect = session.effect();
  applySceneLayer(scene, effect);
  session.setUpGlobal();
  applySceneParams(scene, effect);
  session.setUpSequence();

  A_long width = 0;
  A_long height = 0;
  renderedSize(effect, scene.render, width, height);
  const long long numberOffset = arguments.startNumber ? *arguments.startNumber - scene.frames.first : 0;
  const unsigned threads =
      arguments.jobs ? *arguments.jobs : defaultJobs(width, height, scene.render.bitDepth, arguments.quiet);
  FrameJob job{frames, scene.render, scene.time.timeStep, naming, numberOffset, threads, arguments.fsync,
               arguments.exrHalf ? ExrPrecision::Half : ExrPrecision::Float};
  std::optional<ContactSheetWriter> sheet;
  if (sheetFile) sheet.emplace(width, height, frames, *sheetFile);

  const ProgressStyle style = arguments.quiet          ? ProgressStyle::Quiet
                              : arguments.progressJson ? ProgressStyle::Json
                                                       : ProgressStyle::Normal;
  ProgressReport progress(std::cerr, stderrIsTerminal(), frames.size(), style, &std::cout);
  unsigned jobsUsed = 1;
  try {
    jobsUsed = renderFrames(effect, job, progress, sheet ? &*sheet : nullptr);
    if (const int signal = interruptSignal()) {
      progress.clear();
      session.finish();
      std::cerr << "inkline-render: stopped by " << (signal == SIGINT ? "SIGINT" : "SIGTERM")
                << " after the frames in flight; the frames written are whole\n";
      return 128 + signal;
    }
    if (sheet) sheet->finish();
  } catch (...) {
    progress.clear();
    throw;
  }

  const int problems = reportHostProblems(session.finish());
  const std::string destination = naming.isPattern() ? naming.fileFor(frames.front() + numberOffset).string() + " ..."
                                                      : folder.string();
  progress.finish(framesText(frames), jobsUsed,
                  destination + (sheetFile ? ", contact sheet " + sheetFile->string() : std::string{}));
  return problems;
}

}  // namespace inkline_cli
