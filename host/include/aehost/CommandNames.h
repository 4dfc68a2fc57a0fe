#pragma once

#include <string_view>

#include "AE_Effect.h"

namespace aehost {

// "PF_Cmd_SEQUENCE_SETUP"; "PF_Cmd(<n>)" for values without a name. Static storage.
std::string_view commandName(PF_Cmd cmd);

}  // namespace aehost
