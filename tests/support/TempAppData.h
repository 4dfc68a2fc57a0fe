// A temporary application-data folder for the simulated system, removed afterwards.
#pragma once

#include <filesystem>
#include <random>
#include <string>

#include "win32standin/Environment.h"

class TempAppData {
public:
  TempAppData() {
    std::random_device random;
    root_ = std::filesystem::temp_directory_path() / ("inkline-appdata-" + std::to_string(random()));
    std::filesystem::create_directories(root_);
    win32standin::setAppDataFolder(root_.string());
  }
  ~TempAppData() {
    win32standin::setAppDataFolder("");
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempAppData(const TempAppData&) = delete;
  TempAppData& operator=(const TempAppData&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path settingsFolder() const { return root_ / "Tarsk" / "Vellum"; }
  std::filesystem::path settingsFile() const { return settingsFolder() / "Inkline.ini"; }

private:
  std::filesystem::path root_;
};
