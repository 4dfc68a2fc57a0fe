#include "AEUtil/AEException.h"

namespace AEUtil {

AEException::~AEException() = default;

const char* AEException::what() const noexcept { return whatText_.c_str(); }

const std::string& AEException::message() const noexcept { return message_; }

std::string AEException::positionText(const char* file, int line) {
  char buffer[kPieceLength] = {};
  std::snprintf(buffer, sizeof buffer, "%s(%d): ", file, line);
  return buffer;
}

}  // namespace AEUtil
