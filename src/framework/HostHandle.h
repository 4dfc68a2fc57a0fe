// Scoped access to host memory handles: a lock that is always undone, and a handle that
// is disposed unless its ownership is handed on.
#pragma once

#include "AE_Effect.h"
#include "AE_EffectCB.h"

class HandleLock {
public:
  HandleLock(const PF_InData* in_data, PF_Handle handle)
      : utils_(in_data->utils), handle_(handle),
        data_(handle != nullptr ? utils_->host_lock_handle(handle) : nullptr) {}
  ~HandleLock() {
    if (data_ != nullptr) utils_->host_unlock_handle(handle_);
  }
  HandleLock(const HandleLock&) = delete;
  HandleLock& operator=(const HandleLock&) = delete;

  // Null when the handle is absent or the host could not lock it.
  void* data() const { return data_; }
  template <typename T>
  T* as() const {
    return static_cast<T*>(data_);
  }

private:
  const PF_UtilCallbacks* utils_;
  PF_Handle handle_;
  void* data_;
};

class OwnedHandle {
public:
  OwnedHandle(const PF_InData* in_data, A_u_longlong size)
      : utils_(in_data->utils), handle_(utils_->host_new_handle(size)) {}
  ~OwnedHandle() {
    if (handle_ != nullptr) utils_->host_dispose_handle(handle_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  PF_Handle get() const { return handle_; }
  // Hands the handle on (to the host); this owner no longer disposes it.
  PF_Handle release() {
    PF_Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }

private:
  const PF_UtilCallbacks* utils_;
  PF_Handle handle_;
};
