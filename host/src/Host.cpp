#include "aehost/Host.h"

#include "HostCallbacks_p.h"
#include "aehost/Layer.h"
#include "aehost/Parameters.h"
#include "aehost/HostScope.h"
#include "win32standin/Desktop.h"

namespace aehost {

Host::Host(HostOptions options)
    : options_(std::move(options)),
      handles_(log_),
      suites_(log_),
      blocks_(log_),
      worlds_(log_),
      basicSuite_(makeBasicSuite()) {
  handles_.setNewMemoryFill(options_.newMemoryFill);
  worlds_.setRowPaddingBytes(options_.worldRowPaddingBytes);
  worlds_.setCheckRowPadding(options_.checkWorldRowPadding);
  worlds_.setUnclearedFill(options_.unclearedWorldFill);
  mainWindow_ = reinterpret_cast<std::uintptr_t>(
      win32standin::createTopLevelWindow("Adobe After Effects", RECT{0, 0, 1920, 1040}));
  suites_.add(kAppSuiteName, kAppSuiteVersion, &appSuite());
  suites_.add(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3, &paramUtilsSuite3());
  suites_.add(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion1, &paramUtilsSuite1());
  suites_.add(kPFWorldSuite, kPFWorldSuiteVersion2, &worldSuite2());
  suites_.add(kPFWorldSuite, kPFWorldSuiteVersion1, &worldSuite1());
  suites_.add(kPFFillMatteSuite, kPFFillMatteSuiteVersion2, &fillMatteSuite2());
  suites_.add(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1, &worldTransformSuite1());
  suites_.add(kPFPathQuerySuite, kPFPathQuerySuiteVersion1, &pathQuerySuite1());
  suites_.add(kPFPathDataSuite, kPFPathDataSuiteVersion1, &pathDataSuite1());
}

Host::~Host() { win32standin::destroyWindow(reinterpret_cast<HWND>(mainWindow_)); }

void Host::failNthHostCall(int n, PF_Err err) {
  const std::lock_guard lock(callFaultMutex_);
  callFault_.arm(n);
  callFaultErr_ = err;
}

std::uint64_t Host::failableHostCalls() const {
  const std::lock_guard lock(callFaultMutex_);
  return failableCalls_;
}

std::string Host::lastInjectedFault() const {
  const std::lock_guard lock(callFaultMutex_);
  return lastInjectedFault_;
}

bool Host::injectCallFault(const char* callback, PF_Err& err) {
  const std::lock_guard lock(callFaultMutex_);
  ++failableCalls_;
  if (!callFault_.fires()) return false;
  err = callFaultErr_;
  lastInjectedFault_ = std::string(callback) + " during " + std::string(currentActivity());
  return true;
}

SPBasicSuite* Host::basicSuite() { return options_.provideBasicSuite ? &basicSuite_ : nullptr; }

PF_Handle Host::globalData(std::uint64_t moduleId) const {
  const auto found = globalData_.find(moduleId);
  return found == globalData_.end() ? nullptr : found->second;
}

void Host::setGlobalData(std::uint64_t moduleId, PF_Handle handle) { globalData_[moduleId] = handle; }

void Host::attachParameters(const void* effectRef, Parameters* parameters) {
  parameters_.attach(effectRef, parameters);
}

void Host::detachParameters(const void* effectRef) { parameters_.detach(effectRef); }

Parameters* Host::parametersFor(const void* effectRef) const { return parameters_.find(effectRef); }

void Host::attachLayer(const void* effectRef, Layer* layer) { layers_.attach(effectRef, layer); }

void Host::detachLayer(const void* effectRef) { layers_.detach(effectRef); }

Layer* Host::layerFor(const void* effectRef) const { return layers_.find(effectRef); }

void Host::commandStarted() {
  const std::lock_guard lock(instancesMutex_);
  ++commandsRunning_;
}

bool Host::commandEndedWasLast() {
  const std::lock_guard lock(instancesMutex_);
  return --commandsRunning_ == 0;
}

void Host::recordProblem(std::string problem) { log_.record(std::move(problem)); }

std::vector<std::string> Host::problems() const {
  std::vector<std::string> all = log_.entries();
  suites_.audit(all);
  handles_.audit(all);
  blocks_.audit(all);
  worlds_.audit(all);
  const std::lock_guard lock(instancesMutex_);
  parameters_.forEachLocked(lock, [&](const Parameters& parameters) { parameters.audit(all); });
  layers_.forEachLocked(lock, [&](const Layer& layer) { layer.pathCheckouts().audit(all); });
  return all;
}

void Host::clearRecordedProblems() { log_.clear(); }

}  // namespace aehost
