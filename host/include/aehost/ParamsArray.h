#pragma once

#include <vector>

#include "AE_Effect.h"

namespace aehost {

// Whether After Effects passes params[] with this command (otherwise NULL). The SmartFX
// commands get none: a SmartFX effect checks its parameters out.
bool commandCarriesParams(PF_Cmd cmd);

// The params[] handed to the effect with one command: a snapshot the effect may scribble on.
// The host never reads it back as parameter state.
class ParamsArray {
 public:
  void fill(std::vector<PF_ParamDef> definitions);
  void clear();
  PF_ParamDef** data() { return pointers_.empty() ? nullptr : pointers_.data(); }

  // Whether the definition is one of the entries itself rather than a copy.
  bool contains(const PF_ParamDef* def) const;
  // Entries whose uu.change_flags the effect changed to include PF_ChangeFlag_CHANGED_VALUE.
  std::vector<PF_ParamIndex> entriesMarkedChanged() const;

 private:
  std::vector<PF_ParamDef> handedOut_;  // as filled, to compare with afterwards
  std::vector<PF_ParamDef> entries_;
  std::vector<PF_ParamDef*> pointers_;
};

}  // namespace aehost
