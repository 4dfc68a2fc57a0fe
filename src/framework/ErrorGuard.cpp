#include "framework/ErrorGuard.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

void throwErrorCode(PF_Err code) { throw code; }

const char* errorName(PF_Err code) {
  switch (code) {
    case 0: return "PF_Err_NONE";
    case 1:
    case 2:
    case 3: return "";
    case 4: return "PF_Err_OUT_OF_MEMORY";
    case 512: return "PF_Err_INTERNAL_STRUCT_DAMAGED";
    case 513: return "PF_Err_INVALID_INDEX";
    case 514: return "PF_Err_UNRECOGNIZED_PARAM_TYPE";
    case 515: return "PF_Err_INVALID_CALLBACK";
    case 516: return "PF_Err_BAD_CALLBACK_PARAM";
    case 517: return "PF_Interrupt_CANCEL";
    case 518: return "PF_Err_CANNOT_PARSE_KEYFRAME_TEXT";
    default: return "unknown";
  }
}

std::string integerErrorMessage(PF_Err code) {
  char buffer[2048] = {};
  std::snprintf(buffer, sizeof buffer, "error code = %d\n%s", static_cast<int>(code), errorName(code));
  return buffer;
}

const char* unknownErrorMessage() {
  // The host shows messages in the system's code page: Shift-JIS on Windows, UTF-8 here.
#ifdef _WIN32
  return "\x95\x73\x96\xBE\x82\xC8\x83\x47\x83\x89\x81\x5B";
#else
  return "\xE4\xB8\x8D\xE6\x98\x8E\xE3\x81\xAA\xE3\x82\xA8\xE3\x83\xA9\xE3\x83\xBC";
#endif
}

void reportErrorMessage(PF_OutData* out_data, const char* message) {
  if (out_data == nullptr || message == nullptr) return;
  constexpr std::size_t capacity = sizeof out_data->return_msg;
  const std::size_t length = std::min(std::strlen(message), capacity - 1);
  std::memcpy(out_data->return_msg, message, length);
  out_data->return_msg[length] = '\0';
}
