#include "params/BaseParam.h"

#include <cstring>

#include "effect/ParamRecord.h"
#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"

BaseParam::BaseParam(std::int32_t recordOffset, std::int32_t valueSize, const char* name, const PF_ParamDef* tmpl)
    : name(name), def{}, id(0), index(ParamRegistry::instance().takeNextIndex()), recordOffset(recordOffset),
      valueSize(valueSize) {
  if (tmpl != nullptr) def = *tmpl;
}

BaseParam::~BaseParam() = default;

PF_Err BaseParam::readValue(ParamRecord* record, ParamGetter& getter) {
  if (valueSize == 0) return PF_Err_NONE;
  if (getter.usesPrivateCopy()) {
    PF_ParamDef copy{};
    const PF_Err err = getter.getParam(index, &copy);
    if (err != PF_Err_NONE) return err;
    holdToValidRange(copy);
    if (record != nullptr) std::memcpy(reinterpret_cast<char*>(record) + recordOffset, &copy.u, valueSize);
    // The host counts every checkout; a private copy is checked in as soon as it is read.
    return getter.releaseParam(&copy);
  }
  const PF_Err err = getter.getParam(index, &def);
  if (err == PF_Err_NONE && record != nullptr) {
    PF_ParamDef held = def;
    holdToValidRange(held);
    std::memcpy(reinterpret_cast<char*>(record) + recordOffset, &held.u, valueSize);
  }
  return err;
}

PF_Err BaseParam::releaseValue(ParamGetter& getter) {
  if (valueSize == 0 || getter.usesPrivateCopy()) return PF_Err_NONE;
  return getter.releaseParam(&def);
}

void BaseParam::storeDefault(PF_InData*, const char*) {}

void BaseParam::holdToValidRange(PF_ParamDef&) const {}
