#include "AEUtil/EffectWorldPtr.h"

#include "AE_EffectCBSuites.h"
#include "framework/ScopedSuite.h"

namespace AEUtil {

EffectWorldPtr::EffectWorldPtr(const EffectWorldPtr& other) : block_(other.block_), world_(other.world_) {
  if (block_ != nullptr) ++block_->count;
}

EffectWorldPtr& EffectWorldPtr::operator=(const EffectWorldPtr& other) {
  if (this != &other) {
    if (other.block_ != nullptr) ++other.block_->count;
    release();
    block_ = other.block_;
    world_ = other.world_;
  }
  return *this;
}

std::int32_t EffectWorldPtr::release() {
  if (block_ == nullptr) return -1;
  controlBlock* block = block_;
  block_ = nullptr;
  world_ = nullptr;
  if (--block->count > 0) return block->count;

  // The world goes back through whichever suite version the host offers now.
  ScopedSuite<PF_WorldSuite2> suite2(block->basicSuite, kPFWorldSuite, kPFWorldSuiteVersion2);
  if (suite2) {
    suite2->PF_DisposeWorld(block->effectRef, &block->world);
  } else {
    ScopedSuite<PF_WorldSuite1> suite1(block->basicSuite, kPFWorldSuite, kPFWorldSuiteVersion1);
    if (suite1) suite1->dispose_world(block->effectRef, &block->world);
  }
  delete block;
  return 0;
}

}  // namespace AEUtil
