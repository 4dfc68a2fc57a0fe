// What the effect reaches: params[], checkout and checkin, PF_UpdateParamUI.
#include "ParamEntry_p.h"
#include "aehost/HostScope.h"

namespace aehost {
namespace {

// A checked-in definition is the same parameter if it still says what the host put in.
bool sameIdentity(const PF_ParamDef& registered, const PF_ParamDef& def) {
  return registered.param_type == def.param_type && registered.uu.id == def.uu.id && paramName(registered) == paramName(def);
}

}  // namespace

PF_ParamDef** Parameters::commandStarting(PF_Cmd cmd) {
  const std::lock_guard lock(mutex_);
  if (cmd == PF_Cmd_PARAMS_SETUP) {
    startOver();
    setupOpen_ = true;
  }
  if (!commandCarriesParams(cmd)) return nullptr;
  std::vector<PF_ParamDef> definitions;
  for (const auto& e : entries_) definitions.push_back(definitionAtTime(*e, composition_.currentTimeTicks));
  array_.fill(std::move(definitions));
  return array_.data();
}

void Parameters::commandEnded(PF_Cmd cmd) {
  const std::lock_guard lock(mutex_);
  setupOpen_ = false;
  // After Effects takes back values the effect marked PF_ChangeFlag_CHANGED_VALUE at these
  // two commands; any other change to params[] it ignores, and so do we.
  if (cmd == PF_Cmd_USER_CHANGED_PARAM || cmd == PF_Cmd_EVENT) {
    for (const PF_ParamIndex index : array_.entriesMarkedChanged()) {
      problem("not yet simulated: taking back params[" + std::to_string(index) +
              "] marked PF_ChangeFlag_CHANGED_VALUE");
    }
  }
  array_.clear();
  checkouts_.forgetFailed(std::this_thread::get_id());
}

std::vector<PF_ParamDef> Parameters::definitionsAt(A_long time) const {
  const std::lock_guard lock(mutex_);
  std::vector<PF_ParamDef> definitions;
  for (const auto& e : entries_) definitions.push_back(definitionAtTime(*e, time));
  return definitions;
}

void Parameters::renderEnded() {
  const std::lock_guard lock(mutex_);
  checkouts_.forgetFailed(std::this_thread::get_id());
}

PF_Err Parameters::checkout(PF_ParamIndex index, A_long whatTime, A_long /*timeStep*/, A_u_long timeScale,
                            PF_ParamDef* out) {
  const std::lock_guard lock(mutex_);
  if (out == nullptr) {
    problem("inter.checkout_param: NULL definition");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  const auto fail = [&](PF_Err err) {
    checkouts_.open({index, out, std::string(currentActivity()), true});
    return err;
  };
  if (!validIndex(index)) return fail(PF_Err_INVALID_INDEX);
  if (timeScale == 0) {
    problem("inter.checkout_param: time_scale 0 for " + describe(index));
    return fail(PF_Err_BAD_CALLBACK_PARAM);
  }
  if (checkoutFault_.fires()) return fail(checkoutFaultErr_);

  const double time = static_cast<double>(whatTime) * composition_.timeScale / timeScale;
  *out = definitionAtTime(entry(index), time);
  checkouts_.open({index, out, std::string(currentActivity()), false});
  return PF_Err_NONE;
}

PF_Err Parameters::checkin(const PF_ParamDef* def) {
  const std::lock_guard lock(mutex_);
  if (def == nullptr) {
    problem("inter.checkin_param: NULL definition");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  const auto closed = checkouts_.close(
      def, [&](PF_ParamIndex index) { return validIndex(index) && sameIdentity(entry(index).def, *def); });
  if (!closed) {
    problem("inter.checkin_param: no checkout of \"" + std::string(paramName(*def)) + "\" is outstanding");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  return PF_Err_NONE;
}

PF_Err Parameters::updateUI(PF_ParamIndex index, const PF_ParamDef* def) {
  const std::lock_guard lock(mutex_);
  if (def == nullptr) {
    problem("PF_UpdateParamUI: NULL definition");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (!validIndex(index)) return PF_Err_INVALID_INDEX;
  if (array_.contains(def)) {
    problem("PF_UpdateParamUI: given params[" + std::to_string(index) +
            "] itself; After Effects wants a copy of the definition");
  }
  entry(index).uiFlags = def->ui_flags;
  uiUpdates_.push_back({index, def->ui_flags, std::string(currentActivity())});
  return PF_Err_NONE;
}

void Parameters::audit(std::vector<std::string>& out) const {
  const std::lock_guard lock(mutex_);
  for (const CheckoutRecord& r : checkouts_.outstanding()) {
    out.push_back("[" + r.during + "] " + describe(r.index) + " was checked out and never checked in");
  }
}

}  // namespace aehost
