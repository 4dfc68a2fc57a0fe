#include "FrameRenderer.h"

#include <atomic>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "ExitCodes.h"
#include "FrameOutput.h"
#include "Interrupts.h"

namespace inkline_cli {

namespace {

aehost::RenderRequest requestFor(const FrameJob& job, A_long frame) {
  aehost::RenderRequest request = aehost::RenderRequest::atFrame(frame, job.render.bitDepth);
  request.timeTicks = frame * job.timeStep;
  request.downsampleX = job.render.downsampleX;
  request.downsampleY = job.render.downsampleY;
  request.quality = job.render.quality;
  return request;
}

std::string failureText(A_long frame, const aehost::RenderResult& result) {
  std::string text =
      "frame " + std::to_string(frame) + ": the effect failed to render with error " + std::to_string(result.err);
  if (!result.message.empty()) text += ": " + result.message;
  return text;
}

}  // namespace

void renderedSize(const aehost::EffectInstance& effect, const RenderOptions& render, A_long& width, A_long& height) {
  width = aehost::downsampledSize(effect.layer().width(), render.downsampleX);
  height = aehost::downsampledSize(effect.layer().height(), render.downsampleY);
}

unsigned renderFrames(aehost::EffectInstance& effect, const FrameJob& job, ProgressReport& progress, ContactSheetWriter* sheet) {
  A_long width = 0;
  A_long height = 0;
  renderedSize(effect, job.render, width, height);
  const std::size_t count = job.frames.size();
  // After Effects renders one frame at a time unless the effect declares it may do more.
  unsigned threads = effect.supportsThreadedRendering() ? job.threads : 1;
  threads = std::max(1u, std::min<unsigned>(threads, static_cast<unsigned>(count)));

  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  std::once_flag folderMade;  // on the first frame: a render that fails first leaves no folder
  std::mutex failuresMutex;
  std::map<A_long, std::string> failures;  // by frame, so the earliest is reported

  auto work = [&] {
    // An interrupt lets the frames in flight finish and starts no new one.
    while (!stop && interruptSignal() == 0) {
      const std::size_t slot = next++;
      if (slot >= count) return;
      const A_long frame = job.frames[slot];
      try {
        progress.frameStarted(slot);
        aehost::RenderRequest request = requestFor(job, frame);
        // The bar follows the effect's progress calls while the frame renders.
        request.onProgress = [&progress, slot](A_long current, A_long total) {
          progress.effectProgress(slot, current, total);
        };
        const aehost::RenderResult result = effect.renderFrame(request);
        if (!result.ok()) throw RenderFailure(failureText(frame, result));
        if (result.image.empty())
          throw RenderFailure("frame " + std::to_string(frame) + ": the effect produced no output image");
        const aehost::Image image = layerSizedImage(result, width, height);
        std::call_once(folderMade, [&] { createOutputFolder(job.naming.folder()); });
        const std::filesystem::path file = job.naming.fileFor(frame + job.numberOffset);
        if (job.naming.writesExr()) {
          writeExr(image, file, job.exrPrecision, job.syncFrames);
        } else {
          writeFrame(image, file, job.syncFrames);
        }
        if (sheet != nullptr) sheet->place(slot, image);
        progress.frameDone(slot, frame, file);
      } catch (const std::exception& e) {
        std::lock_guard lock(failuresMutex);
        failures.emplace(frame, e.what());
        stop = true;
      }
    }
  };

  std::vector<std::thread> pool;
  for (unsigned i = 1; i < threads; ++i) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  if (!failures.empty()) throw RenderFailure(failures.begin()->second);
  return threads;
}

}  // namespace inkline_cli
