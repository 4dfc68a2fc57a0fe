#include "cli/RunRenderer.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace cli_test {

namespace {

std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("inkline-cli-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path ScratchFolder::write(const std::string& name, const std::string& text) const {
  const std::filesystem::path file = path_ / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
  return file;
}

RunResult runRenderer(const std::vector<std::string>& arguments, const std::filesystem::path& workingDirectory) {
  static std::atomic<int> counter{0};
  const std::string tag = std::to_string(::getpid()) + "-" + std::to_string(counter++);
  const std::filesystem::path outFile = std::filesystem::temp_directory_path() / ("inkline-cli-out-" + tag);
  const std::filesystem::path errFile = std::filesystem::temp_directory_path() / ("inkline-cli-err-" + tag);
  std::string command = "cd " + shellQuoted(workingDirectory.string()) + " && " + shellQuoted(INKLINE_RENDER_PATH);
  for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
  command += " </dev/null >" + shellQuoted(outFile.string()) + " 2>" + shellQuoted(errFile.string());
  const int status = std::system(command.c_str());
  RunResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = readFile(outFile);
  result.err = readFile(errFile);
  std::filesystem::remove(outFile);
  std::filesystem::remove(errFile);
  return result;
}

std::optional<RunResult> runRendererInTerminal(const std::vector<std::string>& arguments,
                                               const std::filesystem::path& workingDirectory) {
  if (std::system("command -v script >/dev/null 2>&1") != 0) return std::nullopt;
  std::string inner = shellQuoted(INKLINE_RENDER_PATH);
  for (const std::string& argument : arguments) inner += " " + shellQuoted(argument);
  const std::filesystem::path outFile =
      std::filesystem::temp_directory_path() / ("inkline-cli-tty-" + std::to_string(::getpid()));
  const std::string command = "cd " + shellQuoted(workingDirectory.string()) + " && script -qec " + shellQuoted(inner) +
                              " /dev/null </dev/null >" + shellQuoted(outFile.string()) + " 2>&1";
  const int status = std::system(command.c_str());
  RunResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = readFile(outFile);
  std::filesystem::remove(outFile);
  return result;
}

std::string readFile(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

std::vector<std::string> filesUnder(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  if (!std::filesystem::exists(folder, ec)) return names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) names.push_back(std::filesystem::relative(entry.path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace cli_test
