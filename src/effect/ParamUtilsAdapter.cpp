#include "effect/ParamUtilsAdapter.h"

#include "AE_EffectCBSuites.h"
#include "framework/HostVersion.h"

ParamUtilsAdapter::ParamUtilsAdapter(const PF_InData* in_data)
    : version_(paramUtilsSuiteVersion(in_data->version)),
      suite_(in_data->pica_basicP, kPFParamUtilsSuite, version_) {
  if (!suite_) throw PF_Err_BAD_CALLBACK_PARAM;
  // Both tables start with PF_UpdateParamUI.
  updateParamUI_ = version_ == 3 ? static_cast<const PF_ParamUtilsSuite3*>(suite_.get())->PF_UpdateParamUI
                                 : static_cast<const PF_ParamUtilsSuite1*>(suite_.get())->PF_UpdateParamUI;
}
