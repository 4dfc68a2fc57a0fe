#pragma once

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "AE_Effect.h"

namespace aehost {

struct CheckoutRecord {
  PF_ParamIndex index = 0;
  const PF_ParamDef* into = nullptr;  // the definition the host filled
  std::string during;                 // the command that checked it out
  bool failed = false;                // the checkout returned an error
  std::thread::id thread = std::this_thread::get_id();  // whose command checked it out
};

// The parameter checkouts not yet checked in. A checkin names only a PF_ParamDef, so it is
// matched to the checkout that filled that very definition, or failing that (the effect
// copied it) to the latest open checkout of the same parameter. Failed checkouts may be
// checked in or not, as the effect likes; they are forgotten when their command ends (on
// their own thread: renders of other frames may be running meanwhile).
class CheckoutLedger {
 public:
  void open(CheckoutRecord record);
  // Removes and returns the matched checkout; nullopt when none matches.
  std::optional<CheckoutRecord> close(const PF_ParamDef* def, const std::function<bool(PF_ParamIndex)>& sameParameter);
  void forgetFailed(std::thread::id thread = std::this_thread::get_id());
  void clear() { records_.clear(); }

  std::vector<CheckoutRecord> outstanding() const;  // successful ones, oldest first

 private:
  std::vector<CheckoutRecord> records_;
};

}  // namespace aehost
