#include "aehost/ParamsArray.h"

#include <utility>

namespace aehost {

bool commandCarriesParams(PF_Cmd cmd) {
  switch (cmd) {
    case PF_Cmd_DO_DIALOG:
    case PF_Cmd_FRAME_SETUP:
    case PF_Cmd_RENDER:
    case PF_Cmd_FRAME_SETDOWN:
    case PF_Cmd_USER_CHANGED_PARAM:
    case PF_Cmd_UPDATE_PARAMS_UI:
    case PF_Cmd_EVENT:
    case PF_Cmd_AUDIO_RENDER:
    case PF_Cmd_AUDIO_SETUP:
    case PF_Cmd_AUDIO_SETDOWN:
    case PF_Cmd_ARBITRARY_CALLBACK:
      return true;
    default:
      return false;
  }
}

void ParamsArray::fill(std::vector<PF_ParamDef> definitions) {
  handedOut_ = definitions;
  entries_ = std::move(definitions);
  pointers_.clear();
  for (PF_ParamDef& entry : entries_) pointers_.push_back(&entry);
}

void ParamsArray::clear() {
  handedOut_.clear();
  entries_.clear();
  pointers_.clear();
}

bool ParamsArray::contains(const PF_ParamDef* def) const {
  for (const PF_ParamDef& entry : entries_) {
    if (&entry == def) return true;
  }
  return false;
}

std::vector<PF_ParamIndex> ParamsArray::entriesMarkedChanged() const {
  std::vector<PF_ParamIndex> changed;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const A_long now = entries_[i].uu.change_flags;
    if (now != handedOut_[i].uu.change_flags && (now & PF_ChangeFlag_CHANGED_VALUE) != 0) {
      changed.push_back(static_cast<PF_ParamIndex>(i));
    }
  }
  return changed;
}

}  // namespace aehost
