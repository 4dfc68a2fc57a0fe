// A temporary application-data folder for the simulated system, removed afterwards.
#pragma once

#include <filesystem>

#include "support/TempFolder.h"
#include "win32standin/Environment.h"

class TempAppData {
public:
  TempAppData() { win32standin::setAppDataFolder(folder_.str()); }
  ~TempAppData() { win32standin::setAppDataFolder(""); }
  TempAppData(const TempAppData&) = delete;
  TempAppData& operator=(const TempAppData&) = delete;

  const std::filesystem::path& root() const { return folder_.path(); }
  std::filesystem::path settingsFolder() const { return root() / "Tarsk" / "Vellum"; }
  std::filesystem::path settingsFile() const { return settingsFolder() / "Inkline.ini"; }

private:
  TempFolder folder_{"inkline-appdata-"};
};
