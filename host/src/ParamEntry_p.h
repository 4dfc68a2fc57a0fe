#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "aehost/ParamTrack.h"
#include "aehost/Parameters.h"

namespace aehost {

// The name, which need not be NUL-terminated when it fills the whole field.
inline std::string_view paramName(const PF_ParamDef& def) { return {def.name, strnlen(def.name, sizeof def.name)}; }

// One parameter as the host keeps it.
struct Parameters::Entry {
  Entry(const PF_ParamDef& added, ParamValue initial)
      : def(added), track(std::move(initial), interpolationFor(added)), uiFlags(added.ui_flags) {}

  PF_ParamDef def;     // as added, its label pointers repointed at `label`
  std::string label;   // the popup choices or checkbox/button label, copied at add time
  ParamTrack track;
  PF_ParamUIFlags uiFlags;
  PF_Handle ownedDefault = nullptr;  // an arbitrary-data default the host took over
};

}  // namespace aehost
