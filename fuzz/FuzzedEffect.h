// The Inkline module loaded once into a simulated host for a fuzzing run, applied to a small
// layer, and what a harness does to it: values chosen from the fuzzer's bytes, renders in
// every depth and path. Anything the host notices the effect doing wrong aborts the run, so
// the fuzzer keeps the input.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>

#include "aehost/EffectInstance.h"
#include "aehost/Host.h"
#include "aehost/PluginModule.h"

namespace inkline_fuzz {

class FuzzedEffect {
 public:
  static constexpr A_long kWidth = 32;
  static constexpr A_long kHeight = 24;

  FuzzedEffect();

  aehost::Host& host() { return host_; }
  aehost::PluginModule& module() { return module_; }
  aehost::EffectInstance& instance() { return *instance_; }

  // A fresh instance (global and parameter set-up, and sequence set-up unless the caller
  // brings sequence data of its own, as a project does at re-setup).
  void freshInstance(bool setUpSequence = true);
  // Sets the instance down and aborts, naming them, when the host noticed problems: anything
  // left checked out, locked or allocated, or misuse on the way.
  void finishInstance(const char* when);
  // Up to three masks of up to six vertices, coordinates anywhere from well inside to far off
  // the layer, NaN and infinity included.
  void chooseMasks(FuzzedDataProvider& data);
  // Every parameter a value: within its range, beyond it, or not a number at all.
  void chooseParameters(FuzzedDataProvider& data);
  // One frame at a depth and path the bytes choose; the result need not be a success.
  void renderOnce(FuzzedDataProvider& data);

 private:
  aehost::Host host_;
  aehost::PluginModule module_;
  std::unique_ptr<aehost::EffectInstance> instance_;
};

// The one effect of this process, made on first use.
FuzzedEffect& fuzzedEffect();

}  // namespace inkline_fuzz
