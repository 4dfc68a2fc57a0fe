#include "effect/ParamUtilsAdapter.h"

#include "AE_EffectCBSuites.h"
#include "framework/HostVersion.h"

ParamUtilsAdapter::ParamUtilsAdapter(const PF_InData* in_data)
    : basic_(in_data->pica_basicP), version_(paramUtilsSuiteVersion(in_data->version)) {
  const void* suite = nullptr;
  if (basic_ == nullptr || basic_->AcquireSuite(kPFParamUtilsSuite, version_, &suite) != kSPNoError) {
    throw PF_Err_BAD_CALLBACK_PARAM;
  }
  if (suite == nullptr) {
    basic_->ReleaseSuite(kPFParamUtilsSuite, version_);
    throw PF_Err_BAD_CALLBACK_PARAM;
  }
  // Both tables start with PF_UpdateParamUI.
  updateParamUI_ = version_ == 3 ? static_cast<const PF_ParamUtilsSuite3*>(suite)->PF_UpdateParamUI
                                 : static_cast<const PF_ParamUtilsSuite1*>(suite)->PF_UpdateParamUI;
}

ParamUtilsAdapter::~ParamUtilsAdapter() { basic_->ReleaseSuite(kPFParamUtilsSuite, version_); }
