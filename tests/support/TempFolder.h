// A fresh folder under the system's temporary folder, removed with all it holds afterwards.
#pragma once

#include <filesystem>
#include <random>
#include <string>

class TempFolder {
public:
  explicit TempFolder(const std::string& prefix = "inkline-test-") {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / (prefix + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }

private:
  std::filesystem::path path_;
};
