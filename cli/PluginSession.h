// The plug-in loaded by path into a simulated host and applied to one layer, taken through
// the commands After Effects sends before and after rendering.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "aehost/Composition.h"
#include "aehost/EffectInstance.h"
#include "aehost/Host.h"
#include "aehost/PluginModule.h"

namespace inkline_cli {

class PluginSession {
 public:
  // Loads the module; throws InputError when the file is missing or is no plug-in.
  PluginSession(const std::filesystem::path& modulePath, aehost::Composition composition = {});
  ~PluginSession();
  PluginSession(const PluginSession&) = delete;
  PluginSession& operator=(const PluginSession&) = delete;

  // PF_Cmd_GLOBAL_SETUP and PF_Cmd_PARAMS_SETUP; the panel is known afterwards.
  void setUpGlobal();
  // PF_Cmd_SEQUENCE_SETUP: the instance is ready to render.
  void setUpSequence();
  // Sequence and global setdown; returns what the host noticed the plug-in doing wrong.
  std::vector<std::string> finish();

  std::string aboutText();  // PF_Cmd_ABOUT's message, host line breaks made newlines

  aehost::Host& host() { return *host_; }
  aehost::PluginModule& module() { return *module_; }
  aehost::EffectInstance& effect() { return *effect_; }

 private:
  void require(const aehost::CommandResult& result, const std::string& command);

  std::unique_ptr<aehost::Host> host_;
  std::unique_ptr<aehost::PluginModule> module_;
  std::unique_ptr<aehost::EffectInstance> effect_;
  bool globalUp_ = false;
  bool sequenceUp_ = false;
};

}  // namespace inkline_cli
