#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "AE_AdvEffectSuites.h"
#include "AE_Effect.h"
#include "SPBasic.h"
#include "aehost/BlockTracker.h"
#include "aehost/EffectRefMap.h"
#include "aehost/HandleTable.h"
#include "aehost/Countdown.h"
#include "aehost/HostOptions.h"
#include "aehost/ProblemLog.h"
#include "aehost/SuiteRegistry.h"
#include "aehost/ImageMemory.h"
#include "aehost/WorldRegistry.h"

namespace aehost {

class Layer;
class Parameters;

// The name and version under which the host serves its PFAppSuite5 table.
inline constexpr const char* kAppSuiteName = kPFAppSuite;
inline constexpr int kAppSuiteVersion = kPFAppSuiteVersion5;

// The simulated application: the memory and suites an effect reaches through callbacks, the
// faults a test wants injected, and the audit of everything the effect left unbalanced.
class Host {
 public:
  explicit Host(HostOptions options = {});
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  HostOptions& options() { return options_; }
  const HostOptions& options() const { return options_; }
  // The application's main window: a visible, enabled top-level window of this process on
  // the simulated desktop (1920 x 1040 at the origin), there as long as the host is.
  std::uintptr_t mainWindow() const { return mainWindow_; }

  HandleTable& handles() { return handles_; }
  SuiteRegistry& suites() { return suites_; }
  BlockTracker& blocks() { return blocks_; }
  WorldRegistry& worlds() { return worlds_; }
  // Where render results get their memory (kept for the next frame's result when one goes).
  const std::shared_ptr<ImageMemoryPool>& resultMemory() const { return resultMemory_; }

  // The table in_data->pica_basicP points at; nullptr when options().provideBasicSuite is off.
  SPBasicSuite* basicSuite();

  // Global data belongs to the loaded plug-in, shared by all its instances.
  PF_Handle globalData(std::uint64_t moduleId) const;
  void setGlobalData(std::uint64_t moduleId, PF_Handle handle);

  // Every live effect instance's parameters, by effect_ref: the parameter callbacks find
  // them here, and the audit includes their open checkouts.
  void attachParameters(const void* effectRef, Parameters* parameters);
  void detachParameters(const void* effectRef);
  Parameters* parametersFor(const void* effectRef) const;
  // Likewise the input layer of every live instance, for the path suites and the audit.
  void attachLayer(const void* effectRef, Layer* layer);
  void detachLayer(const void* effectRef);
  Layer* layerFor(const void* effectRef) const;

  // Commands running now, on any thread. Whether handles were left locked is judged only
  // when the last one returns: a render on another thread may hold a lock legitimately.
  void commandStarted();
  bool commandEndedWasLast();

  // Fault injection over every host call an effect can see fail: acquiring a suite, a
  // handle, a lock or a block, making a world, checking out a parameter, layer, output or
  // mask path, querying a path, filling, copying, compositing, progress and abort, platform
  // data. Counted from now, the n-th such call fails with `err` and does nothing. Releases
  // (dispose, unlock, check-in, release) never fail: no effect could recover from that.
  void failNthHostCall(int n, PF_Err err = PF_Err_OUT_OF_MEMORY);
  // How many such calls were made since the host was made (a sweep fails each in turn).
  std::uint64_t failableHostCalls() const;
  // The callback the last injected fault hit, for messages.
  std::string lastInjectedFault() const;
  // For the callbacks: counts the call; true when it is the one to fail, with the error.
  bool injectCallFault(const char* callback, PF_Err& err);

  void recordProblem(std::string problem);
  // Everything recorded so far plus everything unbalanced now: suites not released, handles
  // the effect still owns, blocks not freed, parameters and mask paths not checked in, worlds
  // the effect made and never disposed, worlds written outside their pixels. Empty when the
  // effect behaved.
  std::vector<std::string> problems() const;
  void clearRecordedProblems();

 private:
  HostOptions options_;
  std::uintptr_t mainWindow_ = 0;
  ProblemLog log_;
  HandleTable handles_;
  SuiteRegistry suites_;
  BlockTracker blocks_;
  WorldRegistry worlds_;
  std::shared_ptr<ImageMemoryPool> resultMemory_ = std::make_shared<ImageMemoryPool>();
  SPBasicSuite basicSuite_;
  std::map<std::uint64_t, PF_Handle> globalData_;
  mutable std::mutex instancesMutex_;
  EffectRefMap<Parameters> parameters_{instancesMutex_};
  EffectRefMap<Layer> layers_{instancesMutex_};
  int commandsRunning_ = 0;
  mutable std::mutex callFaultMutex_;
  Countdown callFault_;
  PF_Err callFaultErr_ = PF_Err_OUT_OF_MEMORY;
  std::uint64_t failableCalls_ = 0;
  std::string lastInjectedFault_;
};

}  // namespace aehost
