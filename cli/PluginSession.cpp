#include "PluginSession.h"

#include "ExitCodes.h"

namespace inkline_cli {

namespace {

// A renderer's host leaves the memory of worlds made without clearing as it comes: filling it
// with a pattern (the tests' host does, to catch an effect reading it) would be a pass over
// every such world, every frame. Its worlds' rows are packed, without the padding the tests'
// host puts after each row to catch an effect that assumes packed rows: the output world's
// memory then becomes the frame's image as it lies, with no copy of the frame.
aehost::HostOptions rendererHostOptions() {
  aehost::HostOptions options;
  options.unclearedWorldFill = std::nullopt;
  options.worldRowPaddingBytes = 0;
  return options;
}

}  // namespace

PluginSession::PluginSession(const std::filesystem::path& modulePath, aehost::Composition composition)
    : host_(std::make_unique<aehost::Host>(rendererHostOptions())) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(modulePath, ec)) {
    throw InputError(modulePath.string() + ": cannot find the plug-in module");
  }
  try {
    module_ = std::make_unique<aehost::PluginModule>(modulePath);
  } catch (const std::exception& e) {
    throw InputError(modulePath.string() + ": cannot load the plug-in: " + e.what());
  }
  effect_ = std::make_unique<aehost::EffectInstance>(*host_, *module_, composition);
}

PluginSession::~PluginSession() {
  try {
    finish();
  } catch (...) {
    // Tearing down after an earlier failure: that failure is what gets reported.
  }
}

void PluginSession::require(const aehost::CommandResult& result, const std::string& command) {
  if (result.err == PF_Err_NONE) return;
  throw RenderFailure("the plug-in failed " + command + " with error " + std::to_string(result.err) +
                      (result.message.empty() ? "" : ": " + result.message));
}

void PluginSession::setUpGlobal() {
  require(effect_->globalSetup(), "global setup");
  globalUp_ = true;
  require(effect_->paramsSetup(), "parameter setup");
}

void PluginSession::setUpSequence() {
  require(effect_->sequenceSetup(), "sequence setup");
  sequenceUp_ = true;
}

std::vector<std::string> PluginSession::finish() {
  if (sequenceUp_) {
    sequenceUp_ = false;
    require(effect_->sequenceSetdown(), "sequence setdown");
  }
  if (globalUp_) {
    globalUp_ = false;
    require(effect_->globalSetdown(), "global setdown");
  }
  return host_->problems();
}

std::string PluginSession::aboutText() {
  const aehost::CommandResult about = effect_->about();
  require(about, "the about command");
  std::string text = about.message;
  for (char& c : text) {
    if (c == '\r') c = '\n';  // the host's line break
  }
  return text;
}

}  // namespace inkline_cli
