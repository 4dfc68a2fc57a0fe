// Parameter values over time and UI state, as tests set and read them.
#include <stdexcept>

#include "ParamEntry_p.h"

namespace aehost {
namespace {

void requireFits(const PF_ParamDef& def, PF_ParamIndex index, const ParamValue& value) {
  if (!valueFitsType(value, def.param_type)) {
    throw std::invalid_argument(describeValue(value) + " does not fit parameter " + std::to_string(index) + " \"" +
                                std::string(paramName(def)) + "\" of type " + std::to_string(def.param_type));
  }
}

void requireTimeVarying(const PF_ParamDef& def, PF_ParamIndex index) {
  if ((def.flags & PF_ParamFlag_CANNOT_TIME_VARY) != 0) {
    throw std::invalid_argument("parameter " + std::to_string(index) + " \"" + std::string(paramName(def)) +
                                "\" was registered with PF_ParamFlag_CANNOT_TIME_VARY");
  }
}

}  // namespace

void Parameters::setValue(PF_ParamIndex index, ParamValue value) {
  const std::lock_guard lock(mutex_);
  Entry& e = entry(index);
  requireFits(e.def, index, value);
  e.track.setStatic(std::move(value));
}

void Parameters::setKeyframe(PF_ParamIndex index, A_long time, ParamValue value) {
  const std::lock_guard lock(mutex_);
  Entry& e = entry(index);
  requireTimeVarying(e.def, index);
  requireFits(e.def, index, value);
  e.track.setKeyframe(time, std::move(value));
}

void Parameters::setKeyframes(PF_ParamIndex index, std::vector<Keyframe> keyframes) {
  const std::lock_guard lock(mutex_);
  Entry& e = entry(index);
  requireTimeVarying(e.def, index);
  for (const Keyframe& k : keyframes) requireFits(e.def, index, k.value);
  e.track.setKeyframes(std::move(keyframes));
}

void Parameters::clearKeyframes(PF_ParamIndex index) {
  const std::lock_guard lock(mutex_);
  entry(index).track.clearKeyframes();
}

std::vector<Keyframe> Parameters::keyframes(PF_ParamIndex index) const {
  const std::lock_guard lock(mutex_);
  return entry(index).track.keyframes();
}

ParamValue Parameters::valueAt(PF_ParamIndex index, A_long time) const {
  const std::lock_guard lock(mutex_);
  return entry(index).track.valueAt(time);
}

ParamValue Parameters::currentValue(PF_ParamIndex index) const {
  return valueAt(index, composition_.currentTimeTicks);
}

PF_ParamDef Parameters::definitionAtTime(const Entry& e, double time) const {
  PF_ParamDef def = e.def;
  writeValue(e.track.valueAt(time), def);
  def.ui_flags = e.uiFlags;
  return def;
}

PF_ParamDef Parameters::definitionAt(PF_ParamIndex index, A_long time) const {
  const std::lock_guard lock(mutex_);
  return definitionAtTime(entry(index), time);
}

PF_ParamUIFlags Parameters::uiFlags(PF_ParamIndex index) const {
  const std::lock_guard lock(mutex_);
  return entry(index).uiFlags;
}

std::vector<UiUpdate> Parameters::uiUpdates() const {
  const std::lock_guard lock(mutex_);
  return uiUpdates_;
}

void Parameters::clearUiUpdates() {
  const std::lock_guard lock(mutex_);
  uiUpdates_.clear();
}

std::vector<CheckoutRecord> Parameters::outstandingCheckouts() const {
  const std::lock_guard lock(mutex_);
  return checkouts_.outstanding();
}

}  // namespace aehost
