// Numbers as the tool writes them in listings and messages: the stream's default form, six
// significant digits without trailing zeros, so 100 reads "100" and 0.05 "0.05".
#pragma once

#include <string>

namespace inkline_cli {

std::string numberText(double value);

}  // namespace inkline_cli
