// Closes a parameter group when the block that builds it ends, also when building is cut
// short by an exception: every group start gets exactly one group end.
#pragma once

#include <memory>

#include "params/ParamAdd.h"
#include "params/ParamRegistry.h"

class GroupScope {
public:
  explicit GroupScope(A_long endId) : endId_(endId) {}
  ~GroupScope() {
    try {
      auto end = std::make_unique<ParamEndTopic>("", nullptr);
      end->id = endId_;
      ParamRegistry::instance().append(std::move(end));
    } catch (...) {
      // Only reachable when memory is gone while the list is already being abandoned.
    }
  }
  GroupScope(const GroupScope&) = delete;
  GroupScope& operator=(const GroupScope&) = delete;

private:
  A_long endId_;
};
