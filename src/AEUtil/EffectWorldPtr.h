// A temporary host world that lives exactly as long as its last holder, however the render
// ends. Holders stay on one thread: the count is plain.
#pragma once

#include <cstdint>

#include "AE_Effect.h"
#include "SPBasic.h"

namespace AEUtil {

class EffectWorldPtr {
public:
  EffectWorldPtr() = default;
  EffectWorldPtr(const EffectWorldPtr& other);
  EffectWorldPtr& operator=(const EffectWorldPtr& other);
  ~EffectWorldPtr() { release(); }

  // Gives up this holder's share; the last one disposes the world through the host. Returns
  // the holders left, 0 when the world was disposed, -1 when this holder held nothing.
  std::int32_t release();

  PF_EffectWorld* get() const { return world_; }
  PF_EffectWorld* operator->() const { return world_; }
  explicit operator bool() const { return world_ != nullptr; }

private:
  friend class WorldSuite;

  struct controlBlock {
    const SPBasicSuite* basicSuite;
    PF_ProgPtr effectRef;
    PF_EffectWorld world;
    std::int32_t count;
  };

  explicit EffectWorldPtr(controlBlock* block) : block_(block), world_(&block->world) {}

  controlBlock* block_ = nullptr;
  PF_EffectWorld* world_ = nullptr;
};

}  // namespace AEUtil
