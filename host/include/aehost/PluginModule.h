#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "AE_Effect.h"
#include "aehost/DynamicLibrary.h"
#include "aehost/Pipl.h"
#include "aehost/PrivateModuleCopy.h"

namespace aehost {

// The signature of an effect's exported entry point.
using EffectEntryPoint = PF_Err (*)(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                                    PF_LayerDef* output, void* extra);

struct ModuleLoadOptions {
  // Load a copy under a unique temporary name, so every PluginModule starts with fresh
  // static state. Off: the file itself, shared with any other load of the same path.
  bool privateCopy = true;
};

// An effect module loaded the way After Effects finds it: PiPL first (resource 'PiPL' 16000
// on Windows, section .pipl of the ELF file here), then the entry point it names for x64.
class PluginModule {
 public:
  explicit PluginModule(const std::filesystem::path& path, ModuleLoadOptions options = {});
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  const Pipl& pipl() const { return pipl_; }
  const std::filesystem::path& path() const { return path_; }
  const std::filesystem::path& loadedPath() const;
  // Distinct for every PluginModule made in this process; keys per-module host state.
  std::uint64_t id() const { return id_; }

  PF_Err call(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output,
              void* extra) const;
  // Any other export, for test fixtures that expose controls; nullptr if absent.
  void* symbol(const char* name) const { return library_->symbol(name); }

 private:
  std::filesystem::path path_;
  std::unique_ptr<PrivateModuleCopy> privateCopy_;  // declared before library_: deleted after unload
  std::unique_ptr<DynamicLibrary> library_;
  Pipl pipl_;
  EffectEntryPoint entryPoint_ = nullptr;
  std::uint64_t id_ = 0;
};

// The PiPL bytes of a module file, without loading it (ELF section .pipl).
std::vector<std::byte> readModulePiplBytes(const std::filesystem::path& moduleFile);

}  // namespace aehost
