#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "AE_Effect.h"
#include "aehost/Countdown.h"
#include "aehost/ProblemLog.h"

namespace aehost {

// Who must dispose a handle. The effect owns what it creates; the host owns what it creates
// and what After Effects takes over (the handle GET_FLATTENED_SEQUENCE_DATA returns, the flat
// sequence data it passes back at RESETUP).
enum class HandleOwner { Effect, Host };

struct HandleInfo {
  std::uint64_t serial = 0;  // creation order, 1-based, for messages
  std::uint64_t sizeBytes = 0;
  int lockCount = 0;
  HandleOwner owner = HandleOwner::Effect;
  std::string createdDuring;  // the activity (command) that created it
};

// The memory behind host_new_handle and friends. A handle is a pointer to a master pointer
// to the data, so effects that dereference it directly work as in After Effects. Misuse is
// recorded in the problem log, never fatal: disposed master pointers stay reserved so that a
// second dispose is recognised rather than hitting reused memory.
class HandleTable {
 public:
  explicit HandleTable(ProblemLog& problems);
  ~HandleTable();
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;

  // After Effects promises nothing about new memory; a fill pattern exposes effects that
  // assume zeroes. nullopt leaves it as malloc returns it.
  void setNewMemoryFill(std::optional<std::uint8_t> fill);

  PF_Handle create(std::uint64_t sizeBytes, HandleOwner owner);
  PF_Handle createWithBytes(std::span<const std::byte> bytes, HandleOwner owner);
  void* lock(PF_Handle handle);
  void unlock(PF_Handle handle);
  void dispose(PF_Handle handle);
  std::uint64_t sizeOf(PF_Handle handle);
  PF_Err resize(std::uint64_t sizeBytes, PF_Handle* handle);

  bool isLive(PF_Handle handle) const;
  std::optional<HandleInfo> info(PF_Handle handle) const;
  void setOwner(PF_Handle handle, HandleOwner owner);
  std::vector<std::byte> bytes(PF_Handle handle) const;  // throws std::invalid_argument if not live
  std::vector<HandleInfo> liveHandles() const;

  // Fault injection: the n-th next call (1 = the very next) fails as if memory ran out.
  void failNthNewHandle(int n);
  void failNthLock(int n);
  void failNthResize(int n);

  // One problem per handle still locked, naming the command that just returned.
  void recordHandlesLeftLocked(std::string_view afterCommand);
  // Effect-owned handles still alive, locked host-owned ones, damaged guard bytes.
  void audit(std::vector<std::string>& out) const;

 private:
  struct Entry;
  Entry* findLive(PF_Handle handle, const char* callback);
  const Entry* findLive(PF_Handle handle) const;
  void checkGuard(const Entry& entry, const char* when);
  void note(const char* callback, const std::string& what);

  ProblemLog& problems_;
  mutable std::mutex mutex_;
  std::unordered_map<PF_Handle, std::unique_ptr<Entry>> entries_;  // live and disposed
  std::uint64_t nextSerial_ = 1;
  std::optional<std::uint8_t> newMemoryFill_ = std::uint8_t{0xA5};
  Countdown newHandleFault_;
  Countdown lockFault_;
  Countdown resizeFault_;
};

std::string describeHandle(const HandleInfo& info);

}  // namespace aehost
