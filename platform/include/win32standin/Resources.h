// The resources a module carries, for the stand-in's dialog and bitmap functions: on Windows
// the resource compiler puts them into the module; here the module registers the same
// templates when it is loaded and withdraws them when it is unloaded.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win32standin {

struct DialogControlTemplate {
  int id = 0;
  std::string className;  // "Button", "Static", "SysLink", ...
  std::string text;
  int x = 0, y = 0, width = 0, height = 0;  // dialog units
  bool visible = true;
  bool enabled = true;
};

struct DialogTemplate {
  std::string caption;
  int x = 0, y = 0, width = 0, height = 0;  // dialog units
  std::vector<DialogControlTemplate> controls;
};

struct BitmapTemplate {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 32;
};

void registerDialogTemplate(HINSTANCE module, int id, DialogTemplate dialog);
void registerBitmap(HINSTANCE module, int id, BitmapTemplate bitmap);
// Forgets every resource of the module.
void unregisterResources(HINSTANCE module);

}  // namespace win32standin
