#include "NumberText.h"

#include <sstream>

namespace inkline_cli {

std::string numberText(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

}  // namespace inkline_cli
