// "PF Param Utils Suite" for one scope: version 3 on current hosts, version 2 on older ones,
// behind one call. A missing suite fails the command.
#pragma once

#include "AE_Effect.h"
#include "framework/ScopedSuite.h"

class ParamUtilsAdapter {
public:
  // Throws PF_Err_BAD_CALLBACK_PARAM (the SDK constant) when the host has no such suite.
  explicit ParamUtilsAdapter(const PF_InData* in_data);

  // The first function of both versions.
  PF_Err updateParamUI(PF_ProgPtr effectRef, PF_ParamIndex index, const PF_ParamDef* def) const {
    return updateParamUI_(effectRef, index, def);
  }

private:
  using UpdateParamUIFunc = PF_Err (*)(PF_ProgPtr, PF_ParamIndex, const PF_ParamDef*);

  int version_;
  ScopedSuite<void> suite_;  // released with the same name and version on every way out
  UpdateParamUIFunc updateParamUI_ = nullptr;
};
