// Registration at PF_Cmd_PARAMS_SETUP and the test-facing view of the parameters.
#include <stdexcept>

#include "ParamEntry_p.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"

namespace aehost {
namespace {

// The value a parameter starts with, from what the effect added.
ParamValue initialValue(const PF_ParamDef& def, const Composition& composition) {
  switch (def.param_type) {
    case PF_Param_POINT:  // the default is a percentage of the layer, which fills the composition
      return PointValue{fromFixed(def.u.td.x_dephault) * composition.widthPx / 100.0,
                        fromFixed(def.u.td.y_dephault) * composition.heightPx / 100.0};
    case PF_Param_PATH:  // masks do not exist yet
      return PathValue{PF_PathID_NONE};
    default:
      return readValue(def);
  }
}

// The label pointer of the types that carry one, else nullptr.
const A_char** labelPointer(PF_ParamDef& def) {
  switch (def.param_type) {
    case PF_Param_POPUP: return &def.u.pd.u.namesptr;
    case PF_Param_CHECKBOX: return &def.u.bd.u.nameptr;
    case PF_Param_BUTTON: return &def.u.button_d.u.namesptr;
    default: return nullptr;
  }
}

}  // namespace

Parameters::Parameters(Host& host, const void* effectRef, const Composition& composition)
    : host_(host), effectRef_(effectRef), composition_(composition) {
  host_.attachParameters(effectRef_, this);
}

Parameters::~Parameters() {
  host_.detachParameters(effectRef_);
  std::vector<std::string> left;
  audit(left);  // the audit cannot see this instance any more
  for (std::string& problem : left) host_.recordProblem(std::move(problem));
  releaseEntries();
}

void Parameters::problem(const std::string& what) const {
  host_.recordProblem("[" + std::string(currentActivity()) + "] " + what);
}

bool Parameters::validIndex(PF_ParamIndex index) const {
  return index >= 0 && static_cast<std::size_t>(index) < entries_.size();
}

Parameters::Entry& Parameters::entry(PF_ParamIndex index) {
  if (!validIndex(index)) throw std::out_of_range("no parameter " + std::to_string(index));
  return *entries_[static_cast<std::size_t>(index)];
}

const Parameters::Entry& Parameters::entry(PF_ParamIndex index) const {
  if (!validIndex(index)) throw std::out_of_range("no parameter " + std::to_string(index));
  return *entries_[static_cast<std::size_t>(index)];
}

std::string Parameters::describe(PF_ParamIndex index) const {
  std::string text = "parameter " + std::to_string(index);
  if (index == 0) return text + " (the input layer)";
  if (validIndex(index)) text += " \"" + std::string(paramName(entry(index).def)) + "\"";
  return text;
}

void Parameters::releaseEntries() {
  for (const auto& e : entries_) {
    if (e->ownedDefault != nullptr && host_.handles().isLive(e->ownedDefault)) {
      const HostScope scope(host_, "host disposing an arbitrary-data default");
      host_.handles().dispose(e->ownedDefault);
    }
  }
  entries_.clear();
}

void Parameters::startOver() {
  releaseEntries();
  checkouts_.clear();
  uiUpdates_.clear();
  PF_ParamDef inputLayer{};
  inputLayer.param_type = PF_Param_LAYER;
  appendEntry(inputLayer);
}

void Parameters::appendEntry(const PF_ParamDef& def) {
  auto e = std::make_unique<Entry>(def, initialValue(def, composition_));
  if (const A_char** label = labelPointer(e->def); label != nullptr && *label != nullptr) {
    e->label = *label;
    *label = e->label.c_str();
  }
  entries_.push_back(std::move(e));
}

PF_Err Parameters::add(PF_ParamIndex index, const PF_ParamDef* def) {
  const std::lock_guard lock(mutex_);
  if (!setupOpen_) {
    problem("inter.add_param: parameters are added only during PF_Cmd_PARAMS_SETUP");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (def == nullptr) {
    problem("inter.add_param: NULL definition");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (addFault_.fires()) return addFaultErr_;
  if (index != -1 && index != static_cast<PF_ParamIndex>(entries_.size())) {
    problem("inter.add_param: index " + std::to_string(index) + "; parameters are appended with index -1");
    return PF_Err_INVALID_INDEX;
  }
  appendEntry(*def);
  if (def->param_type == PF_Param_ARBITRARY_DATA && def->u.arb_d.dephault != nullptr) {
    // After Effects owns the default from here on; the effect must not dispose it.
    host_.handles().setOwner(def->u.arb_d.dephault, HandleOwner::Host);
    entries_.back()->ownedDefault = def->u.arb_d.dephault;
  }
  return PF_Err_NONE;
}

A_long Parameters::count() const {
  const std::lock_guard lock(mutex_);
  return static_cast<A_long>(entries_.size());
}

std::vector<RegisteredParam> Parameters::added() const {
  const std::lock_guard lock(mutex_);
  std::vector<RegisteredParam> list;
  for (std::size_t i = 1; i < entries_.size(); ++i) list.push_back({static_cast<PF_ParamIndex>(i), entries_[i]->def});
  return list;
}

PF_ParamDef Parameters::definition(PF_ParamIndex index) const {
  const std::lock_guard lock(mutex_);
  return entry(index).def;
}

std::optional<PF_ParamIndex> Parameters::find(std::string_view name) const {
  const std::lock_guard lock(mutex_);
  for (std::size_t i = 1; i < entries_.size(); ++i) {
    if (name == paramName(entries_[i]->def)) return static_cast<PF_ParamIndex>(i);
  }
  return std::nullopt;
}

PF_ParamIndex Parameters::indexOf(std::string_view name) const {
  const auto found = find(name);
  if (!found) throw std::out_of_range("no parameter named \"" + std::string(name) + "\"");
  return *found;
}

void Parameters::failNthAddParam(int n, PF_Err err) {
  const std::lock_guard lock(mutex_);
  addFault_.arm(n);
  addFaultErr_ = err;
}

void Parameters::failNthCheckout(int n, PF_Err err) {
  const std::lock_guard lock(mutex_);
  checkoutFault_.arm(n);
  checkoutFaultErr_ = err;
}

}  // namespace aehost
