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
namespace {

// A copy of the module's resource of that id in `kind` (dialogs or bitmaps), if it has one.
template <typename Template>
std::optional<Template> find(HINSTANCE module, int id, std::map<int, Template> ModuleResources::*kind) {
  std::lock_guard lock(table().mutex);
  const auto moduleIt = table().modules.find(module);
  if (moduleIt == table().modules.end()) return std::nullopt;
  const std::map<int, Template>& resources = moduleIt->second.*kind;
  const auto it = resources.find(id);
  if (it == resources.end()) return std::nullopt;
  return it->second;
}

}  // namespace

std::optional<DialogTemplate> findDialogTemplate(HINSTANCE module, int id) {
  return find(module, id, &ModuleResources::dialogs);
}

std::optional<BitmapTemplate> findBitmap(HINSTANCE module, int id) { return find(module, id, &ModuleResources::bitmaps); }

}  // namespace detail
}  // namespace win32standin
