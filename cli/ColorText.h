// Colours as scenes write them: "#rrggbb", "#rrggbbaa" or [r, g, b] / [r, g, b, a] with
// channels 0 to 255.
#pragma once

#include <string>

#include "AE_Effect.h"
#include "JsonFields.h"

namespace inkline_cli {

// Throws InputError at `place`. Alpha is only accepted when `allowAlpha`; it defaults to 255.
PF_Pixel8 readColor(const Json& value, const std::string& place, bool allowAlpha);

std::string colorToHex(const PF_Pixel8& color);  // "#rrggbb"

}  // namespace inkline_cli
