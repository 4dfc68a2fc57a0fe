#include "aehost/SuiteRegistry.h"

#include "aehost/HostScope.h"

namespace aehost {

std::string describeSuite(std::string_view name, int version) {
  return "suite \"" + std::string(name) + "\" version " + std::to_string(version);
}

SuiteRegistry::SuiteRegistry(ProblemLog& problems) : problems_(problems) {}

const SuiteRegistry::Record* SuiteRegistry::find(std::string_view name, int version) const {
  const auto found = records_.find(Key{std::string(name), version});
  return found == records_.end() ? nullptr : &found->second;
}

SuiteRegistry::Record& SuiteRegistry::recordFor(std::string_view name, int version) {
  return records_[Key{std::string(name), version}];
}

void SuiteRegistry::add(std::string name, int version, const void* table) {
  const std::lock_guard lock(mutex_);
  Record& record = recordFor(name, version);
  record.table = table;
  record.registered = true;
}

void SuiteRegistry::remove(std::string_view name, int version) {
  const std::lock_guard lock(mutex_);
  Record& record = recordFor(name, version);
  record.table = nullptr;
  record.registered = false;
}

bool SuiteRegistry::has(std::string_view name, int version) const {
  const std::lock_guard lock(mutex_);
  const Record* record = find(name, version);
  return record != nullptr && record->registered;
}

void SuiteRegistry::refuse(std::string name, int version, SPErr error) {
  const std::lock_guard lock(mutex_);
  Record& record = recordFor(name, version);
  record.fault = Fault::Refuse;
  record.refusal = error;
}

void SuiteRegistry::offerAsNull(std::string name, int version) {
  const std::lock_guard lock(mutex_);
  recordFor(name, version).fault = Fault::OfferNull;
}

void SuiteRegistry::restore(std::string_view name, int version) {
  const std::lock_guard lock(mutex_);
  recordFor(name, version).fault = Fault::None;
}

SPErr SuiteRegistry::acquire(const char* name, int version, const void** suite) {
  if (name == nullptr || suite == nullptr) {
    problems_.record("[" + std::string(currentActivity()) + "] AcquireSuite called with a NULL " +
                     (name == nullptr ? "name" : "result pointer"));
    return kSPBadParameterError;
  }
  const std::lock_guard lock(mutex_);
  Record& record = recordFor(name, version);
  *suite = nullptr;
  switch (record.fault) {
    case Fault::Refuse:
      ++record.failed;
      return record.refusal;
    case Fault::OfferNull:
      ++record.nullHandedOut;
      return kSPNoError;
    case Fault::None:
      break;
  }
  if (!record.registered) {
    ++record.failed;
    return kSPSuiteNotFoundError;
  }
  *suite = record.table;
  ++record.acquired;
  return kSPNoError;
}

SPErr SuiteRegistry::release(const char* name, int version) {
  if (name == nullptr) {
    problems_.record("[" + std::string(currentActivity()) + "] ReleaseSuite called with a NULL name");
    return kSPBadParameterError;
  }
  const std::lock_guard lock(mutex_);
  Record& record = recordFor(name, version);
  if (record.released < record.acquired) {
    ++record.released;
    return kSPNoError;
  }
  if (record.nullHandedOut > 0) {
    --record.nullHandedOut;
    return kSPNoError;
  }
  problems_.record("[" + std::string(currentActivity()) + "] ReleaseSuite of " + describeSuite(name, version) +
                   " without a matching AcquireSuite");
  return kSPBadParameterError;
}

int SuiteRegistry::acquireCount(std::string_view name, int version) const {
  const std::lock_guard lock(mutex_);
  const Record* record = find(name, version);
  return record == nullptr ? 0 : record->acquired;
}

int SuiteRegistry::releaseCount(std::string_view name, int version) const {
  const std::lock_guard lock(mutex_);
  const Record* record = find(name, version);
  return record == nullptr ? 0 : record->released;
}

int SuiteRegistry::failedAcquireCount(std::string_view name, int version) const {
  const std::lock_guard lock(mutex_);
  const Record* record = find(name, version);
  return record == nullptr ? 0 : record->failed;
}

void SuiteRegistry::audit(std::vector<std::string>& out) const {
  const std::lock_guard lock(mutex_);
  for (const auto& [key, record] : records_) {
    if (record.acquired > record.released) {
      out.push_back(describeSuite(key.first, key.second) + " acquired " + std::to_string(record.acquired) +
                    "x but released " + std::to_string(record.released) + "x");
    }
  }
}

}  // namespace aehost
