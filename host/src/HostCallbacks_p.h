#pragma once

#include "aehost/CallbackTables.h"

namespace aehost {

// Records "not yet simulated: <what>" with the current host, if any.
void noteUnsimulated(const char* what);

}  // namespace aehost
