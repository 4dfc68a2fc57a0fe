#pragma once

#include <map>
#include <mutex>

namespace aehost {

// What the host keeps per live effect instance, found by the instance's effect_ref. Callbacks
// look entries up from any thread, so every call locks the mutex given at construction; the
// host shares that one mutex among all its instance maps and its command count.
template <typename T>
class EffectRefMap {
 public:
  explicit EffectRefMap(std::mutex& mutex) : mutex_(mutex) {}
  EffectRefMap(const EffectRefMap&) = delete;
  EffectRefMap& operator=(const EffectRefMap&) = delete;

  void attach(const void* effectRef, T* object) {
    const std::lock_guard lock(mutex_);
    objects_[effectRef] = object;
  }

  void detach(const void* effectRef) {
    const std::lock_guard lock(mutex_);
    objects_.erase(effectRef);
  }

  // Null when nothing is attached under `effectRef`.
  T* find(const void* effectRef) const {
    const std::lock_guard lock(mutex_);
    const auto found = objects_.find(effectRef);
    return found == objects_.end() ? nullptr : found->second;
  }

  // Calls visit(T&) for every entry. The caller already holds the shared mutex (the guard
  // says so), so that several maps can be walked under one lock.
  template <typename Visit>
  void forEachLocked(const std::lock_guard<std::mutex>& /*heldLock*/, Visit visit) const {
    for (const auto& entry : objects_) visit(*entry.second);
  }

 private:
  std::mutex& mutex_;
  std::map<const void*, T*> objects_;
};

}  // namespace aehost
