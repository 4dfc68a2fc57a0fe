#include "HostCallbacks_p.h"
#include "Unsimulated_p.h"
#include "aehost/Parameters.h"

namespace aehost {
namespace {

PF_Err updateParamUI(PF_ProgPtr effectRef, PF_ParamIndex index, const PF_ParamDef* def) {
  Parameters* parameters = parametersForCallback(effectRef, "PF_UpdateParamUI");
  return parameters == nullptr ? PF_Err_BAD_CALLBACK_PARAM : parameters->updateUI(index, def);
}

PF_ParamUtilsSuite3 makeSuite3() {
  PF_ParamUtilsSuite3 paramUtils3{};
  paramUtils3.PF_UpdateParamUI = updateParamUI;
  AEHOST_UNSIMULATED(paramUtils3, PF_GetCurrentState);
  AEHOST_UNSIMULATED(paramUtils3, PF_AreStatesIdentical);
  AEHOST_UNSIMULATED(paramUtils3, PF_IsIdenticalCheckout);
  AEHOST_UNSIMULATED(paramUtils3, PF_FindKeyframeTime);
  AEHOST_UNSIMULATED(paramUtils3, PF_GetKeyframeCount);
  AEHOST_UNSIMULATED(paramUtils3, PF_CheckoutKeyframe);
  AEHOST_UNSIMULATED(paramUtils3, PF_CheckinKeyframe);
  AEHOST_UNSIMULATED(paramUtils3, PF_KeyIndexToTime);
  return paramUtils3;
}

PF_ParamUtilsSuite1 makeSuite1() {
  PF_ParamUtilsSuite1 paramUtils1{};
  paramUtils1.PF_UpdateParamUI = updateParamUI;
  AEHOST_UNSIMULATED(paramUtils1, PF_GetCurrentState);
  AEHOST_UNSIMULATED(paramUtils1, PF_HasParamChanged);
  AEHOST_UNSIMULATED(paramUtils1, PF_HaveInputsChangedOverTimeSpan);
  AEHOST_UNSIMULATED(paramUtils1, PF_IsIdenticalCheckout);
  AEHOST_UNSIMULATED(paramUtils1, PF_FindKeyframeTime);
  AEHOST_UNSIMULATED(paramUtils1, PF_GetKeyframeCount);
  AEHOST_UNSIMULATED(paramUtils1, PF_CheckoutKeyframe);
  AEHOST_UNSIMULATED(paramUtils1, PF_CheckinKeyframe);
  AEHOST_UNSIMULATED(paramUtils1, PF_KeyIndexToTime);
  return paramUtils1;
}

}  // namespace

const PF_ParamUtilsSuite3& paramUtilsSuite3() {
  static const PF_ParamUtilsSuite3 table = makeSuite3();
  return table;
}

const PF_ParamUtilsSuite1& paramUtilsSuite1() {
  static const PF_ParamUtilsSuite1 table = makeSuite1();
  return table;
}

}  // namespace aehost
