// The renderer's exit codes and the two kinds of failure that lead to them.
#pragma once

#include <stdexcept>
#include <string>

namespace inkline_cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRenderFailure = 1;  // the plug-in or the disk failed during a render
inline constexpr int kExitBadInput = 2;       // arguments, scene, images or paths are unusable

// Something the user gave us is wrong; caught before any output is written.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The plug-in or the host reported a failure, or an output file could not be written.
class RenderFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace inkline_cli
