#include "aehost/HandleTable.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "aehost/HostScope.h"

namespace aehost {
namespace {

// Guard bytes after every block reveal writes past the end of a handle.
constexpr std::size_t kGuardBytes = 16;
constexpr unsigned char kGuardValue = 0xFD;

void* allocateWithGuard(std::uint64_t sizeBytes) {
  if (sizeBytes > SIZE_MAX - kGuardBytes) return nullptr;
  auto* data = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(sizeBytes) + kGuardBytes));
  if (data != nullptr) std::memset(data + sizeBytes, kGuardValue, kGuardBytes);
  return data;
}

const char* ownerName(HandleOwner owner) { return owner == HandleOwner::Host ? "host" : "effect"; }

}  // namespace

struct HandleTable::Entry {
  void* master = nullptr;  // first member: its address is the PF_Handle
  HandleInfo info;
  bool disposed = false;

  PF_Handle handle() { return reinterpret_cast<PF_Handle>(&master); }
  bool guardIntact() const {
    const auto* guard = static_cast<const unsigned char*>(master) + info.sizeBytes;
    for (std::size_t i = 0; i < kGuardBytes; ++i) {
      if (guard[i] != kGuardValue) return false;
    }
    return true;
  }
};

std::string describeHandle(const HandleInfo& info) {
  return "handle #" + std::to_string(info.serial) + " (" + std::to_string(info.sizeBytes) + " bytes, " +
         ownerName(info.owner) + "-owned, created during " + info.createdDuring + ")";
}

HandleTable::HandleTable(ProblemLog& problems) : problems_(problems) {}

HandleTable::~HandleTable() {
  for (auto& [handle, entry] : entries_) std::free(entry->master);
}

void HandleTable::setNewMemoryFill(std::optional<std::uint8_t> fill) {
  const std::lock_guard lock(mutex_);
  newMemoryFill_ = fill;
}

void HandleTable::note(const char* callback, const std::string& what) {
  std::string message = "[" + std::string(currentActivity()) + "] " + callback + ": " + what;
  problems_.record(std::move(message));
}

PF_Handle HandleTable::create(std::uint64_t sizeBytes, HandleOwner owner) {
  const std::lock_guard lock(mutex_);
  if (newHandleFault_.fires()) return nullptr;
  void* data = allocateWithGuard(sizeBytes);
  if (data == nullptr) return nullptr;
  if (newMemoryFill_) std::memset(data, *newMemoryFill_, static_cast<std::size_t>(sizeBytes));

  auto entry = std::make_unique<Entry>();
  entry->master = data;
  entry->info = HandleInfo{nextSerial_++, sizeBytes, 0, owner, std::string(currentActivity())};
  const PF_Handle handle = entry->handle();
  entries_.insert_or_assign(handle, std::move(entry));
  return handle;
}

PF_Handle HandleTable::createWithBytes(std::span<const std::byte> bytes, HandleOwner owner) {
  const PF_Handle handle = create(bytes.size(), owner);
  if (handle != nullptr && !bytes.empty()) std::memcpy(*handle, bytes.data(), bytes.size());
  return handle;
}

HandleTable::Entry* HandleTable::findLive(PF_Handle handle, const char* callback) {
  if (handle == nullptr) {
    note(callback, "called with a NULL handle");
    return nullptr;
  }
  const auto found = entries_.find(handle);
  if (found == entries_.end()) {
    note(callback, "called with a handle this host never created");
    return nullptr;
  }
  if (found->second->disposed) {
    note(callback, "called with " + describeHandle(found->second->info) + " after it was disposed");
    return nullptr;
  }
  return found->second.get();
}

const HandleTable::Entry* HandleTable::findLive(PF_Handle handle) const {
  const auto found = entries_.find(handle);
  if (found == entries_.end() || found->second->disposed) return nullptr;
  return found->second.get();
}

void HandleTable::checkGuard(const Entry& entry, const char* when) {
  if (!entry.guardIntact()) note(when, "data written past the end of " + describeHandle(entry.info));
}

void* HandleTable::lock(PF_Handle handle) {
  const std::lock_guard lock(mutex_);
  Entry* entry = findLive(handle, "host_lock_handle");
  if (entry == nullptr || lockFault_.fires()) return nullptr;
  ++entry->info.lockCount;
  return entry->master;
}

void HandleTable::unlock(PF_Handle handle) {
  const std::lock_guard lock(mutex_);
  Entry* entry = findLive(handle, "host_unlock_handle");
  if (entry == nullptr) return;
  if (entry->info.lockCount == 0) {
    note("host_unlock_handle", describeHandle(entry->info) + " was not locked");
    return;
  }
  --entry->info.lockCount;
}

void HandleTable::dispose(PF_Handle handle) {
  const std::lock_guard lock(mutex_);
  Entry* entry = findLive(handle, "host_dispose_handle");
  if (entry == nullptr) return;
  checkGuard(*entry, "host_dispose_handle");
  std::free(entry->master);
  entry->master = nullptr;
  entry->disposed = true;
}

std::uint64_t HandleTable::sizeOf(PF_Handle handle) {
  const std::lock_guard lock(mutex_);
  const Entry* entry = findLive(handle, "host_get_handle_size");
  return entry == nullptr ? 0 : entry->info.sizeBytes;
}

PF_Err HandleTable::resize(std::uint64_t sizeBytes, PF_Handle* handle) {
  const std::lock_guard lock(mutex_);
  if (handle == nullptr) {
    note("host_resize_handle", "called with a NULL handle pointer");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  Entry* entry = findLive(*handle, "host_resize_handle");
  if (entry == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (resizeFault_.fires()) return PF_Err_OUT_OF_MEMORY;
  checkGuard(*entry, "host_resize_handle");

  // Always move the data, so that a pointer kept from before the resize is caught.
  void* data = allocateWithGuard(sizeBytes);
  if (data == nullptr) return PF_Err_OUT_OF_MEMORY;
  const auto kept = std::min(sizeBytes, entry->info.sizeBytes);
  std::memcpy(data, entry->master, static_cast<std::size_t>(kept));
  if (newMemoryFill_ && sizeBytes > kept) {
    std::memset(static_cast<unsigned char*>(data) + kept, *newMemoryFill_, static_cast<std::size_t>(sizeBytes - kept));
  }
  std::free(entry->master);
  entry->master = data;
  entry->info.sizeBytes = sizeBytes;
  return PF_Err_NONE;
}

bool HandleTable::isLive(PF_Handle handle) const {
  const std::lock_guard lock(mutex_);
  return findLive(handle) != nullptr;
}

std::optional<HandleInfo> HandleTable::info(PF_Handle handle) const {
  const std::lock_guard lock(mutex_);
  const Entry* entry = findLive(handle);
  if (entry == nullptr) return std::nullopt;
  return entry->info;
}

void HandleTable::setOwner(PF_Handle handle, HandleOwner owner) {
  const std::lock_guard lock(mutex_);
  Entry* entry = findLive(handle, "taking ownership");
  if (entry != nullptr) entry->info.owner = owner;
}

std::vector<std::byte> HandleTable::bytes(PF_Handle handle) const {
  const std::lock_guard lock(mutex_);
  const Entry* entry = findLive(handle);
  if (entry == nullptr) throw std::invalid_argument("aehost: reading the bytes of a handle that is not alive");
  const auto* first = static_cast<const std::byte*>(entry->master);
  return {first, first + entry->info.sizeBytes};
}

std::vector<HandleInfo> HandleTable::liveHandles() const {
  const std::lock_guard lock(mutex_);
  std::vector<HandleInfo> live;
  for (const auto& [handle, entry] : entries_) {
    if (!entry->disposed) live.push_back(entry->info);
  }
  std::sort(live.begin(), live.end(), [](const HandleInfo& a, const HandleInfo& b) { return a.serial < b.serial; });
  return live;
}

void HandleTable::failNthNewHandle(int n) {
  const std::lock_guard lock(mutex_);
  newHandleFault_.arm(n);
}

void HandleTable::failNthLock(int n) {
  const std::lock_guard lock(mutex_);
  lockFault_.arm(n);
}

void HandleTable::failNthResize(int n) {
  const std::lock_guard lock(mutex_);
  resizeFault_.arm(n);
}

void HandleTable::recordHandlesLeftLocked(std::string_view afterCommand) {
  for (const HandleInfo& info : liveHandles()) {
    if (info.lockCount > 0) {
      problems_.record(describeHandle(info) + " left locked (" + std::to_string(info.lockCount) + "x) when " +
                       std::string(afterCommand) + " returned");
    }
  }
}

void HandleTable::audit(std::vector<std::string>& out) const {
  const std::lock_guard lock(mutex_);
  std::vector<const Entry*> live;
  for (const auto& [handle, entry] : entries_) {
    if (!entry->disposed) live.push_back(entry.get());
  }
  std::sort(live.begin(), live.end(), [](const Entry* a, const Entry* b) { return a->info.serial < b->info.serial; });
  for (const Entry* entry : live) {
    if (entry->info.owner == HandleOwner::Effect) {
      std::string leak = "leaked " + describeHandle(entry->info) + ": never disposed";
      if (entry->info.lockCount > 0) leak += ", still locked " + std::to_string(entry->info.lockCount) + "x";
      out.push_back(std::move(leak));
    } else if (entry->info.lockCount > 0) {
      out.push_back(describeHandle(entry->info) + " is still locked");
    }
    if (!entry->guardIntact()) out.push_back("data written past the end of " + describeHandle(entry->info));
  }
}

}  // namespace aehost
