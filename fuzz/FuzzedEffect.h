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
  // renderOnce cancels a render, as a user pressing Escape would, at the effect's 4096th check
  // for an interrupt. The effect checks once per 65,536 units of drawing work (samples, disc
  // rows and disc pixels), so the time of a render of random parameters follows the work they
  // ask for only up to this cap: the largest scenes they make (a million discs wider than the
  // layer) end within a second or two even here, and a time-out means time the effect spends
  // without checking, which is what the fuzzer is to find. It also puts the cancel path, and
  // everything it must release, under the fuzzer.
  static constexpr int kAbortChecksPerRender = 4096;

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
  // One frame at a depth and path the bytes choose, cancelled if it runs long (above); the
  // result need not be a success.
  void renderOnce(FuzzedDataProvider& data);

 private:
  aehost::Host host_;
  aehost::PluginModule module_;
  std::unique_ptr<aehost::EffectInstance> instance_;
};

// The one effect of this process, made on first use.
FuzzedEffect& fuzzedEffect();

}  // namespace inkline_fuzz
