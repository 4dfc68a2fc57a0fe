#include <cstring>
#include <string>

#include "HostCallbacks_p.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"

namespace aehost {
namespace {

SPErr acquireSuite(const char* name, int version, const void** suite) {
  Host* host = currentHost();
  if (host == nullptr) {
    if (suite != nullptr) *suite = nullptr;
    return kSPBadParameterError;
  }
  if (const PF_Err fault = injectedFault(host, (std::string("AcquireSuite ") + (name != nullptr ? name : "(null)")).c_str())) {
    if (suite != nullptr) *suite = nullptr;
    return fault;
  }
  return host->suites().acquire(name, version, suite);
}

SPErr releaseSuite(const char* name, int version) {
  Host* host = currentHost();
  return host == nullptr ? kSPBadParameterError : host->suites().release(name, version);
}

SPBoolean isEqual(const char* token1, const char* token2) {
  if (token1 == nullptr || token2 == nullptr) return token1 == token2;
  return std::strcmp(token1, token2) == 0;
}

SPErr allocateBlock(size_t size, void** block) {
  Host* host = currentHost();
  if (host == nullptr) {
    if (block != nullptr) *block = nullptr;
    return kSPBadParameterError;
  }
  if (const PF_Err fault = injectedFault(host, "allocateBlock")) {
    if (block != nullptr) *block = nullptr;
    return fault;
  }
  return host->blocks().allocate(size, block);
}

SPErr freeBlock(void* block) {
  Host* host = currentHost();
  return host == nullptr ? kSPBadParameterError : host->blocks().free(block);
}

SPErr reallocateBlock(void* block, size_t newSize, void** newBlock) {
  Host* host = currentHost();
  if (host == nullptr) return kSPBadParameterError;
  return host->blocks().reallocate(block, newSize, newBlock);
}

SPErr undefined() {
  noteUnsimulated("SPBasicSuite.Undefined");
  return kSPUnimplementedError;
}

}  // namespace

SPBasicSuite makeBasicSuite() {
  SPBasicSuite suite{};
  suite.AcquireSuite = acquireSuite;
  suite.ReleaseSuite = releaseSuite;
  suite.IsEqual = isEqual;
  suite.AllocateBlock = allocateBlock;
  suite.FreeBlock = freeBlock;
  suite.ReallocateBlock = reallocateBlock;
  suite.Undefined = undefined;
  return suite;
}

void noteUnsimulated(const char* what) {
  if (Host* host = currentHost()) {
    host->recordProblem("[" + std::string(currentActivity()) + "] not yet simulated: " + what);
  }
}

}  // namespace aehost
