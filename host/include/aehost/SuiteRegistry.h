#pragma once

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "SPBasic.h"
#include "aehost/ProblemLog.h"

namespace aehost {

// The suites the basic suite hands out, keyed by (name, version), with acquire and release
// counts per key so that an effect that forgets a release is caught.
class SuiteRegistry {
 public:
  explicit SuiteRegistry(ProblemLog& problems);

  // The table must outlive its registration. Registering a key again replaces the table.
  void add(std::string name, int version, const void* table);
  void remove(std::string_view name, int version);
  bool has(std::string_view name, int version) const;

  // Fault injection, per key, until restored.
  void refuse(std::string name, int version, SPErr error);  // AcquireSuite fails with `error`
  void offerAsNull(std::string name, int version);          // succeeds but yields nullptr
  void restore(std::string_view name, int version);

  // The basic suite's AcquireSuite and ReleaseSuite.
  SPErr acquire(const char* name, int version, const void** suite);
  SPErr release(const char* name, int version);

  int acquireCount(std::string_view name, int version) const;  // successful, non-null ones
  int releaseCount(std::string_view name, int version) const;
  int failedAcquireCount(std::string_view name, int version) const;

  // One problem per key acquired more often than released.
  void audit(std::vector<std::string>& out) const;

 private:
  using Key = std::pair<std::string, int>;
  enum class Fault { None, Refuse, OfferNull };
  struct Record {
    const void* table = nullptr;
    bool registered = false;
    Fault fault = Fault::None;
    SPErr refusal = kSPNoError;
    int acquired = 0;
    int released = 0;
    int failed = 0;
    int nullHandedOut = 0;  // releases of these are tolerated, not counted
  };
  const Record* find(std::string_view name, int version) const;
  Record& recordFor(std::string_view name, int version);

  ProblemLog& problems_;
  mutable std::mutex mutex_;
  std::map<Key, Record> records_;
};

std::string describeSuite(std::string_view name, int version);

}  // namespace aehost
