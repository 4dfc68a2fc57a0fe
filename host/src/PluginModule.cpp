#include "aehost/PluginModule.h"

#include <atomic>

#include "aehost/ElfSection.h"
#include "aehost/FourCharCode.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace aehost {
namespace {

std::uint64_t nextModuleId() {
  static std::atomic<std::uint64_t> counter{1};
  return counter.fetch_add(1);
}

#ifdef _WIN32
constexpr WORD kPiplResourceId = 16000;

std::vector<std::byte> readPiplResource(void* module) {
  const auto instance = static_cast<HMODULE>(module);
  HRSRC resource = ::FindResourceW(instance, MAKEINTRESOURCEW(kPiplResourceId), L"PiPL");
  if (resource == nullptr) throw ModuleFormatError("module has no 'PiPL' resource 16000");
  HGLOBAL loaded = ::LoadResource(instance, resource);
  const auto* first = static_cast<const std::byte*>(::LockResource(loaded));
  const DWORD size = ::SizeofResource(instance, resource);
  if (first == nullptr) throw ModuleFormatError("cannot read the 'PiPL' resource");
  return {first, first + size};
}
#endif

Pipl parseModulePipl(const std::vector<std::byte>& bytes, const std::filesystem::path& path) {
  try {
    return parsePipl(bytes);
  } catch (const PiplError& e) {
    throw PiplError(path.string() + ": " + e.what());
  }
}

}  // namespace

std::vector<std::byte> readModulePiplBytes(const std::filesystem::path& moduleFile) {
  return readElfSectionFromFile(moduleFile, ".pipl");
}

PluginModule::PluginModule(const std::filesystem::path& path, ModuleLoadOptions options) : path_(path) {
  if (options.privateCopy) privateCopy_ = std::make_unique<PrivateModuleCopy>(path);
#ifdef _WIN32
  library_ = std::make_unique<DynamicLibrary>(loadedPath());
  pipl_ = parseModulePipl(readPiplResource(library_->nativeHandle()), path);
#else
  // Read before loading: After Effects never runs code of a module whose PiPL it rejects.
  pipl_ = parseModulePipl(readModulePiplBytes(loadedPath()), path);
  library_ = std::make_unique<DynamicLibrary>(loadedPath());
  // The loader keeps the mapping: the copy leaves the temporary folder at once, so a process
  // killed at any later moment leaves nothing there.
  if (privateCopy_) privateCopy_->removeFile();
#endif
  if (pipl_.kind != fourCharCode("eFKT")) {
    throw ModuleLoadError(path.string() + ": PiPL kind is '" + fourCharString(pipl_.kind) + "', not an effect ('eFKT')");
  }
  if (pipl_.entryPointX64.empty()) throw ModuleLoadError(path.string() + ": PiPL names no x64 entry point ('8664')");
  entryPoint_ = reinterpret_cast<EffectEntryPoint>(library_->symbol(pipl_.entryPointX64.c_str()));
  if (entryPoint_ == nullptr) {
    throw ModuleLoadError(path.string() + ": entry point " + pipl_.entryPointX64 + " named by the PiPL is not exported");
  }
  id_ = nextModuleId();
}

PluginModule::~PluginModule() = default;

const std::filesystem::path& PluginModule::loadedPath() const { return privateCopy_ ? privateCopy_->path() : path_; }

PF_Err PluginModule::call(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                          PF_LayerDef* output, void* extra) const {
  return entryPoint_(cmd, in_data, out_data, params, output, extra);
}

}  // namespace aehost
