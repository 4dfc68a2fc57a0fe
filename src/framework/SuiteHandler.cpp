#include "framework/SuiteHandler.h"

#include "framework/ErrorGuard.h"

namespace {

struct SuiteName {
  const char* name;
  int version;
};

constexpr std::array<SuiteName, 4> kSlotSuites = {{
    {kPFPathQuerySuite, kPFPathQuerySuiteVersion1},
    {kPFPathDataSuite, kPFPathDataSuiteVersion1},
    {kPFFillMatteSuite, kPFFillMatteSuiteVersion2},
    {kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1},
}};

}  // namespace

SuiteHandler::SuiteHandler(const SPBasicSuite* basic) : basic_(basic) {
  static_assert(kSlotSuites.size() == kSlotCount);
  if (basic_ == nullptr) throwErrorCode(PF_Err_BAD_CALLBACK_PARAM);
}

SuiteHandler::~SuiteHandler() {
  for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
    if (suites_[slot] != nullptr) basic_->ReleaseSuite(kSlotSuites[slot].name, kSlotSuites[slot].version);
  }
}

const void* SuiteHandler::acquireSlot(Slot slot) {
  if (suites_[slot] != nullptr) return suites_[slot];
  const void* suite = nullptr;
  const SPErr err = basic_->AcquireSuite(kSlotSuites[slot].name, kSlotSuites[slot].version, &suite);
  if (err != kSPNoError || suite == nullptr) throwErrorCode(PF_Err_BAD_CALLBACK_PARAM);
  suites_[slot] = suite;
  return suite;
}
