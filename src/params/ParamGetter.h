// How a parameter's current value is fetched: checked out from the host at the current
// time, or copied from the params array that came with the command.
#pragma once

#include "AE_Effect.h"

class ParamGetter {
public:
  // On success `out` holds the parameter's whole definition with its current value.
  virtual PF_Err getParam(PF_ParamIndex index, PF_ParamDef* out) = 0;
  // Hands back what getParam fetched.
  virtual PF_Err releaseParam(PF_ParamDef* def) = 0;
  // True when values go into a temporary definition rather than the parameter object's own.
  virtual bool usesPrivateCopy() const = 0;
  // False when the parameter's control is greyed out.
  virtual bool isEnabled(PF_ParamIndex index) const = 0;

protected:
  ~ParamGetter() = default;
};

class GetParamByCheckout final : public ParamGetter {
public:
  GetParamByCheckout(PF_InData* inData, PF_ParamDef** params, bool privateCopy)
      : inData_(inData), params_(params), privateCopy_(privateCopy) {}

  PF_Err getParam(PF_ParamIndex index, PF_ParamDef* out) override;
  PF_Err releaseParam(PF_ParamDef* def) override;
  bool usesPrivateCopy() const override { return privateCopy_; }
  bool isEnabled(PF_ParamIndex index) const override;

private:
  PF_InData* inData_;
  PF_ParamDef** params_;  // may be null
  bool privateCopy_;
};

class GetParamFromArray final : public ParamGetter {
public:
  explicit GetParamFromArray(PF_ParamDef** params) : params_(params) {}

  PF_Err getParam(PF_ParamIndex index, PF_ParamDef* out) override;
  PF_Err releaseParam(PF_ParamDef* def) override;
  bool usesPrivateCopy() const override { return false; }
  bool isEnabled(PF_ParamIndex index) const override;

private:
  PF_ParamDef** params_;
};
