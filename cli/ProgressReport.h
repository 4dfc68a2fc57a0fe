// Progress on stderr: a bar redrawn in place when stderr is a terminal, advanced by the
// effect's progress calls (inter.progress) and by finished frames; a plain one-line summary
// (frames, time, frames per second) when it is not, e.g. in logs and pipelines.
#pragma once

#include <chrono>
#include <filesystem>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "AE_Effect.h"

namespace inkline_cli {

// What the report prints: the bar on a terminal (else the summary line), nothing but errors
// and warnings, or a JSON line per finished frame on stdout for farm managers (with the
// summary line on stderr).
enum class ProgressStyle { Normal, Quiet, Json };

class ProgressReport {
 public:
  ProgressReport(std::ostream& out, bool terminal, std::size_t frameCount, ProgressStyle style = ProgressStyle::Normal,
                 std::ostream* lines = nullptr);

  // Thread-safe. `slot` is the frame's position in the render, 0-based.
  void effectProgress(std::size_t slot, A_long current, A_long total);
  // The frame `frame`, written to `file`: {"frame": 12, "file": "out/f.0012.png", "ms": 41.3}
  // for ProgressStyle::Json, ms the time since its render began.
  void frameDone(std::size_t slot, A_long frame, const std::filesystem::path& file);
  void frameStarted(std::size_t slot);

  // Clears the bar and prints the summary line, e.g.
  // "rendered 48 frames (0-47) in 1.92 s, 25.0 frames/s, 2 jobs, into out/demo".
  void finish(const std::string& rangeText, unsigned jobs, const std::string& destination);

  // Takes the bar off the terminal, so an error message starts on a clean line.
  void clear();

  double elapsedSeconds() const;

 private:
  void draw(bool force);

  std::ostream& out_;
  bool terminal_;
  ProgressStyle style_;
  std::ostream* lines_;
  std::vector<std::chrono::steady_clock::time_point> frameStarts_;
  std::mutex mutex_;
  std::vector<double> frameFractions_;  // per frame, 0..1
  std::size_t framesDone_ = 0;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDraw_;
  bool drawn_ = false;
};

// Whether stderr is an interactive terminal.
bool stderrIsTerminal();

}  // namespace inkline_cli
