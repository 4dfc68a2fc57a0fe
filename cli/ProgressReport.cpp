#include "ProgressReport.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <numeric>

namespace inkline_cli {

namespace {

constexpr int kBarWidth = 32;
constexpr auto kRedrawInterval = std::chrono::milliseconds(50);

}  // namespace

bool stderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

ProgressReport::ProgressReport(std::ostream& out, bool terminal, std::size_t frameCount, ProgressStyle style,
                               std::ostream* lines)
    : out_(out),
      terminal_(terminal && style == ProgressStyle::Normal),
      style_(style),
      lines_(lines),
      frameStarts_(frameCount, std::chrono::steady_clock::now()),
      frameFractions_(frameCount, 0.0),
      start_(std::chrono::steady_clock::now()) {}

void ProgressReport::frameStarted(std::size_t slot) {
  std::lock_guard lock(mutex_);
  if (slot < frameStarts_.size()) frameStarts_[slot] = std::chrono::steady_clock::now();
}

double ProgressReport::elapsedSeconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void ProgressReport::effectProgress(std::size_t slot, A_long current, A_long total) {
  std::lock_guard lock(mutex_);
  if (slot >= frameFractions_.size() || total <= 0) return;
  frameFractions_[slot] = std::max(frameFractions_[slot], std::clamp(static_cast<double>(current) / total, 0.0, 1.0));
  draw(false);
}

void ProgressReport::frameDone(std::size_t slot, A_long frame, const std::filesystem::path& file) {
  std::lock_guard lock(mutex_);
  if (slot >= frameFractions_.size()) return;
  frameFractions_[slot] = 1.0;
  ++framesDone_;
  if (style_ == ProgressStyle::Json && lines_ != nullptr) {
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - frameStarts_[slot]).count();
    const nlohmann::ordered_json line{{"frame", frame}, {"file", file.string()}, {"ms", std::round(ms * 10) / 10}};
    *lines_ << line.dump() << "\n" << std::flush;
  }
  draw(framesDone_ == frameFractions_.size());
}

void ProgressReport::draw(bool force) {
  if (!terminal_) return;
  const auto now = std::chrono::steady_clock::now();
  if (!force && drawn_ && now - lastDraw_ < kRedrawInterval) return;
  lastDraw_ = now;
  drawn_ = true;
  const double total = std::accumulate(frameFractions_.begin(), frameFractions_.end(), 0.0);
  const double share = frameFractions_.empty() ? 1.0 : total / static_cast<double>(frameFractions_.size());
  const int filled = static_cast<int>(share * kBarWidth + 0.5);
  char line[160];
  std::snprintf(line, sizeof line, "\r[%s%s] %3d%%  %zu/%zu frames  %.1f s",
                std::string(static_cast<std::size_t>(filled), '#').c_str(),
                std::string(static_cast<std::size_t>(kBarWidth - filled), '-').c_str(),
                static_cast<int>(share * 100 + 0.5), framesDone_, frameFractions_.size(), elapsedSeconds());
  out_ << line << std::flush;
}

void ProgressReport::clear() {
  std::lock_guard lock(mutex_);
  if (terminal_ && drawn_) out_ << "\r\033[K" << std::flush;
  drawn_ = false;
}

void ProgressReport::finish(const std::string& rangeText, unsigned jobs, const std::string& destination) {
  std::lock_guard lock(mutex_);
  if (style_ == ProgressStyle::Quiet) return;
  const double seconds = elapsedSeconds();
  if (terminal_ && drawn_) out_ << "\r\033[K";  // clear the bar's line
  char line[256];
  std::snprintf(line, sizeof line, "rendered %zu frame%s (%s) in %.2f s, %.1f frames/s, %u job%s, into %s\n",
                framesDone_, framesDone_ == 1 ? "" : "s", rangeText.c_str(), seconds,
                seconds > 0 ? static_cast<double>(framesDone_) / seconds : 0.0, jobs, jobs == 1 ? "" : "s",
                destination.c_str());
  out_ << line << std::flush;
}

}  // namespace inkline_cli
