// Runs the inkline-render binary as a user would, capturing its output and exit code, in a
// scratch folder of its own.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace cli_test {

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// A fresh, empty folder removed again when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // Writes text into a file of the folder and returns its path.
  std::filesystem::path write(const std::string& name, const std::string& text) const;

 private:
  std::filesystem::path path_;
};

// inkline-render with these arguments, run from `workingDirectory`, stdin closed.
RunResult runRenderer(const std::vector<std::string>& arguments, const std::filesystem::path& workingDirectory);

// The same under a pseudo-terminal (util-linux `script`), as someone at a terminal runs it:
// everything it printed, stdout and stderr together. nullopt when `script` is unavailable.
std::optional<RunResult> runRendererInTerminal(const std::vector<std::string>& arguments,
                                               const std::filesystem::path& workingDirectory);

std::string readFile(const std::filesystem::path& file);
// Every regular file under the folder, relative names sorted; empty when it does not exist.
std::vector<std::string> filesUnder(const std::filesystem::path& folder);

}  // namespace cli_test
