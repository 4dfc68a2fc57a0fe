#include <map>
#include <mutex>
#include <optional>

#include "DesktopState.h"

namespace win32standin {
namespace {

struct ResourceTable {
  std::mutex mutex;
  std::map<HINSTANCE, detail::ModuleResources> modules;
};

ResourceTable& table() {
  static ResourceTable resources;
  return resources;
}

}  // namespace

void registerDialogTemplate(HINSTANCE module, int id, DialogTemplate dialog) {
  std::lock_guard lock(table().mutex);
  table().modules[module].dialogs[id] = std::move(dialog);
}

void registerBitmap(HINSTANCE module, int id, BitmapTemplate bitmap) {
  std::lock_guard lock(table().mutex);
  table().modules[module].bitmaps[id] = bitmap;
}

void unregisterResources(HINSTANCE module) {
  std::lock_guard lock(table().mutex);
  table().modules.erase(module);
}

namespace detail {

std::optional<DialogTemplate> findDialogTemplate(HINSTANCE module, int id) {
  std::lock_guard lock(table().mutex);
  const auto moduleIt = table().modules.find(module);
  if (moduleIt == table().modules.end()) return std::nullopt;
  const auto it = moduleIt->second.dialogs.find(id);
  if (it == moduleIt->second.dialogs.end()) return std::nullopt;
  return it->second;
}

std::optional<BitmapTemplate> findBitmap(HINSTANCE module, int id) {
  std::lock_guard lock(table().mutex);
  const auto moduleIt = table().modules.find(module);
  if (moduleIt == table().modules.end()) return std::nullopt;
  const auto it = moduleIt->second.bitmaps.find(id);
  if (it == moduleIt->second.bitmaps.end()) return std::nullopt;
  return it->second;
}

}  // namespace detail
}  // namespace win32standin
