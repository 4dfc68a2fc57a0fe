// The about box: name, version and the publisher's notice, in out_data's message.
#pragma once

#include "AE_Effect.h"

// With Shift held the first line also shows the build number.
void writeAboutText(PF_InData* in_data, PF_OutData* out_data);
