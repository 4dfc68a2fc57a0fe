#include "aehost/CheckoutLedger.h"

#include <algorithm>
#include <utility>

namespace aehost {

void CheckoutLedger::open(CheckoutRecord record) { records_.push_back(std::move(record)); }

std::optional<CheckoutRecord> CheckoutLedger::close(const PF_ParamDef* def,
                                                    const std::function<bool(PF_ParamIndex)>& sameParameter) {
  auto take = [this](std::vector<CheckoutRecord>::reverse_iterator found) {
    CheckoutRecord record = std::move(*found);
    records_.erase(std::next(found).base());
    return record;
  };
  const auto byAddress = std::find_if(records_.rbegin(), records_.rend(), [&](const CheckoutRecord& r) { return r.into == def; });
  if (byAddress != records_.rend()) return take(byAddress);
  // A copy closes a successful checkout of its parameter before a failed one.
  for (const bool failed : {false, true}) {
    const auto byParameter = std::find_if(records_.rbegin(), records_.rend(), [&](const CheckoutRecord& r) {
      return r.failed == failed && sameParameter(r.index);
    });
    if (byParameter != records_.rend()) return take(byParameter);
  }
  return std::nullopt;
}

void CheckoutLedger::forgetFailed(std::thread::id thread) {
  std::erase_if(records_, [&](const CheckoutRecord& r) { return r.failed && r.thread == thread; });
}

std::vector<CheckoutRecord> CheckoutLedger::outstanding() const {
  std::vector<CheckoutRecord> open;
  for (const CheckoutRecord& r : records_) {
    if (!r.failed) open.push_back(r);
  }
  return open;
}

}  // namespace aehost
