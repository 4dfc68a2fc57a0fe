#include "params/ParamRegistry.h"

#include <algorithm>
#include <stdexcept>

#include "params/BaseParam.h"

ParamRegistry& ParamRegistry::instance() {
  static ParamRegistry registry;
  return registry;
}

void ParamRegistry::clear() {
  byId_.clear();
  byIndex_.clear();
  paramCount_ = 1;
}

void ParamRegistry::append(std::unique_ptr<BaseParam> param) {
  if (byIndex_.size() >= kMaxParams) throw std::length_error("too many parameters");
  byId_.push_back(param.get());
  byIndex_.push_back(std::move(param));
}

void ParamRegistry::complete() {
  std::stable_sort(byId_.begin(), byId_.end(), [](const BaseParam* a, const BaseParam* b) { return a->id < b->id; });
  std::stable_sort(byIndex_.begin(), byIndex_.end(),
                   [](const auto& a, const auto& b) { return a->index < b->index; });
}

BaseParam* ParamRegistry::atIndex(PF_ParamIndex index) const {
  if (index < 1 || static_cast<std::size_t>(index) > byIndex_.size()) return nullptr;
  return byIndex_[static_cast<std::size_t>(index) - 1].get();
}

PF_ParamIndex ParamRegistry::indexOfId(A_long id) const {
  const auto it = std::lower_bound(byId_.begin(), byId_.end(), id, [](const BaseParam* p, A_long v) { return p->id < v; });
  return (it != byId_.end() && (*it)->id == id) ? (*it)->index : 0;
}

PF_Err ParamRegistry::registerWithHost(PF_InData* in_data, PF_OutData* out_data, const char* settingsPath) {
  PF_Err err = PF_Err_NONE;
  for (const auto& param : byIndex_) {
    err = param->addToHost(in_data, param->id, settingsPath);
    if (err != PF_Err_NONE) break;
  }
  out_data->num_params = paramCount_;
  return err;
}

PF_Err ParamRegistry::readAll(ParamRecord* record, ParamGetter& getter, std::size_t& readCount) const {
  readCount = 0;
  for (const auto& param : byIndex_) {
    const PF_Err err = param->readValue(record, getter);
    if (err != PF_Err_NONE) return err;
    ++readCount;
  }
  return PF_Err_NONE;
}

PF_Err ParamRegistry::releaseAll(ParamGetter& getter, std::size_t count) const {
  for (std::size_t i = 0; i < count && i < byIndex_.size(); ++i) {
    const PF_Err err = byIndex_[i]->releaseValue(getter);
    if (err != PF_Err_NONE) return err;
  }
  return PF_Err_NONE;
}
