// Host suites for the length of one command: each acquired on first use, all released
// when the handler goes out of scope, in a fixed slot order, exceptions included.
#pragma once

#include <array>
#include <cstddef>

#include "AE_EffectCBSuites.h"
#include "AE_EffectSuites.h"
#include "SPBasic.h"

class SuiteHandler {
public:
  // Throws the error code PF_Err_BAD_CALLBACK_PARAM when the host gave no basic suite.
  explicit SuiteHandler(const SPBasicSuite* basic);
  ~SuiteHandler();
  SuiteHandler(const SuiteHandler&) = delete;
  SuiteHandler& operator=(const SuiteHandler&) = delete;

  // Each throws PF_Err_BAD_CALLBACK_PARAM when the host refuses the suite or hands out none.
  const PF_PathQuerySuite1* pathQuerySuite() { return acquire<PF_PathQuerySuite1>(kPathQuery); }
  const PF_PathDataSuite1* pathDataSuite() { return acquire<PF_PathDataSuite1>(kPathData); }
  const PF_FillMatteSuite2* fillMatteSuite() { return acquire<PF_FillMatteSuite2>(kFillMatte); }
  const PF_WorldTransformSuite1* worldTransformSuite() { return acquire<PF_WorldTransformSuite1>(kWorldTransform); }

  const SPBasicSuite* basicSuite() const { return basic_; }

private:
  // Slots in release order.
  enum Slot : std::size_t { kPathQuery, kPathData, kFillMatte, kWorldTransform, kSlotCount };

  template <typename Suite>
  const Suite* acquire(Slot slot) {
    return static_cast<const Suite*>(acquireSlot(slot));
  }
  const void* acquireSlot(Slot slot);

  const SPBasicSuite* basic_;
  std::array<const void*, kSlotCount> suites_{};
};
