// Where the user's stored defaults live: "Inkline.ini" in "\Tarsk\Vellum\" below the roaming
// application-data folder.
#pragma once

#include <windows.h>

// Fills `path` with the settings file's full path. False, with `path` empty, when the
// application-data folder is unknown or the path would not fit: then no defaults are
// stored or read.
bool settingsFilePath(char (&path)[MAX_PATH]);

// Creates the file's folder with every missing parent.
void createSettingsFolder(const char* settingsPath);

// Deletes the file, then removes its folder and the empty folders above it, up to (never
// including) the application-data folder; a folder that still holds anything stays.
void removeSettingsFile(const char* settingsPath);
