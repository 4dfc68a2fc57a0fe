#pragma once

#include "AE_Effect.h"

namespace aehost {

PF_PreRenderCallbacks makePreRenderCallbacks();
PF_SmartRenderCallbacks makeSmartRenderCallbacks();

}  // namespace aehost
