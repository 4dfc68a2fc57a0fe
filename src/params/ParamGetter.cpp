#include "params/ParamGetter.h"

#include <cstring>

PF_Err GetParamByCheckout::getParam(PF_ParamIndex index, PF_ParamDef* out) {
  const PF_Err err = inData_->inter.checkout_param(inData_->effect_ref, index, inData_->current_time,
                                                   inData_->time_step, inData_->time_scale, out);
  if (err != PF_Err_NONE) std::memset(out, 0, sizeof *out);
  return err;
}

PF_Err GetParamByCheckout::releaseParam(PF_ParamDef* def) {
  return inData_->inter.checkin_param(inData_->effect_ref, def);
}

bool GetParamByCheckout::isEnabled(PF_ParamIndex index) const {
  return params_ == nullptr || (params_[index]->ui_flags & PF_PUI_DISABLED) == 0;
}

PF_Err GetParamFromArray::getParam(PF_ParamIndex index, PF_ParamDef* out) {
  std::memcpy(out, params_[index], sizeof *out);
  return PF_Err_NONE;
}

PF_Err GetParamFromArray::releaseParam(PF_ParamDef*) { return PF_Err_NONE; }

bool GetParamFromArray::isEnabled(PF_ParamIndex index) const {
  return (params_[index]->ui_flags & PF_PUI_DISABLED) == 0;
}
