// EffectInstance::renderFrames: many frames on several threads, as After Effects' render
// threads do for effects that declare they can take it.
#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

#include "aehost/EffectInstance.h"

namespace aehost {

std::vector<RenderResult> EffectInstance::renderFrames(const std::vector<RenderRequest>& requests, unsigned threads) {
  std::vector<RenderResult> results(requests.size());
  if (!supportsThreadedRendering()) threads = 1;
  threads = std::clamp<unsigned>(threads, 1, static_cast<unsigned>(std::max<std::size_t>(requests.size(), 1)));

  std::atomic<std::size_t> next{0};
  std::exception_ptr failure;
  std::mutex failureMutex;
  const auto work = [&] {
    for (std::size_t i = next++; i < requests.size(); i = next++) {
      try {
        results[i] = renderFrame(requests[i]);
      } catch (...) {
        const std::lock_guard lock(failureMutex);
        if (!failure) failure = std::current_exception();
      }
    }
  };
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
  return results;
}

}  // namespace aehost
