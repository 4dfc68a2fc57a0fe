// inkline-render stopped as a farm manager stops it: SIGINT, SIGTERM and SIGKILL at moments
// spread over a two-job render. Whatever the moment, the output folder holds only whole,
// readable frames under their final names, and the temporary folder nothing of ours.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "aehost/Png.h"
#include "cli/RunRenderer.h"

extern char** environ;

namespace {

using cli_test::filesUnder;
using cli_test::ScratchFolder;

// Thirty 320 x 240 frames of thick, copied strokes: long enough to be caught in the middle.
const char* const kScene = R"({
  "layer": { "width": 320, "height": 240, "background": "#f0e8d8" },
  "frames": { "start": 0, "end": 29 },
  "masks": [ "M 10 200 C 80 10 240 10 310 200", "M 20 20 L 300 220" ],
  "params": { "Thickness": 40, "Enable Copy Stroke": true, "Copy Number": 4, "Copy Offset X": 6,
              "Enable Gradation Stroke": true,
              "Length": [ { "time": 0, "value": 5 }, { "time": 1, "value": 100 } ] }
})";

struct Outcome {
  bool exited = false;
  int code = -1;    // exit code when exited
  int signal = 0;   // the signal that ended it otherwise
};

// Starts the renderer with TMPDIR pointing at `temporary`, sends `signal` after `delay`, waits.
Outcome renderAndSignal(const ScratchFolder& dir, const std::filesystem::path& temporary, int signal,
                        std::chrono::milliseconds delay) {
  const std::string renderer = INKLINE_RENDER_PATH;
  std::vector<std::string> arguments{renderer, (dir / "scene.json").string(), "-o", (dir / "out").string(), "--jobs", "2"};
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> environment{"TMPDIR=" + temporary.string()};
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::string(*e).rfind("TMPDIR=", 0) != 0) environment.emplace_back(*e);
  }
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, renderer.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  EXPECT_EQ(spawned, 0);
  std::this_thread::sleep_for(delay);
  ::kill(child, signal);
  int status = 0;
  ::waitpid(child, &status, 0);
  Outcome outcome;
  outcome.exited = WIFEXITED(status);
  outcome.code = outcome.exited ? WEXITSTATUS(status) : -1;
  outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return outcome;
}

TEST(CliInterrupt, SignalsAtAnyMomentLeaveOnlyWholeFrames) {
  const std::regex frameName("frame_00[0-2][0-9]\\.png");
  for (const int signal : {SIGINT, SIGTERM, SIGKILL}) {
    for (const int ms : {0, 30, 90, 180, 300, 600}) {
      ScratchFolder dir;
      dir.write("scene.json", kScene);
      const std::filesystem::path temporary = dir / "tmp";
      std::filesystem::create_directories(temporary);
      const Outcome outcome = renderAndSignal(dir, temporary, signal, std::chrono::milliseconds(ms));
      const std::string what = std::string(strsignal(signal)) + " after " + std::to_string(ms) + " ms";

      // Stopped by the signal itself (before its handler was set, or SIGKILL), after the
      // frames in flight with 128 + signal, or finished before the signal came.
      const int stoppedCode = 128 + signal;
      EXPECT_TRUE((outcome.exited && (outcome.code == 0 || outcome.code == stoppedCode)) || outcome.signal == signal)
          << what << ": exit " << outcome.code << ", signal " << outcome.signal;
      if (signal == SIGKILL) {
        EXPECT_FALSE(outcome.exited && outcome.code != 0) << what;
      }

      for (const std::string& name : filesUnder(dir / "out")) {
        EXPECT_TRUE(std::regex_match(name, frameName)) << what << ": " << name;
        const aehost::Image frame = aehost::readPng(dir / "out" / name);  // throws when not whole
        EXPECT_EQ(frame.width(), 320) << what << ": " << name;
        EXPECT_EQ(frame.height(), 240) << what << ": " << name;
      }
      EXPECT_TRUE(filesUnder(temporary).empty()) << what << ": " << ::testing::PrintToString(filesUnder(temporary));
    }
  }
}

}  // namespace
