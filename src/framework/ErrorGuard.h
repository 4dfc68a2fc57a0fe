// The one place where thrown errors become a host error code and a message. Below the
// handlers, code that cannot return a PF_Err throws one of: AEUtil::AEException, a standard
// exception, a bare PF_Err (see throwErrorCode), or an SDK error constant itself.
#pragma once

#include <exception>
#include <string>

#include "AE_Effect.h"
#include "AEUtil/AEException.h"

// Throws a host error code as a plain integer.
[[noreturn]] void throwErrorCode(PF_Err code);

// The SDK name of an error code, for messages; "unknown" when it has none.
const char* errorName(PF_Err code);

// "error code = <code>\n<name>"
std::string integerErrorMessage(PF_Err code);

// The message for an error that carries no code of its own (Japanese for "unknown error").
const char* unknownErrorMessage();

// Copies a message into out_data's return_msg, cut to the field's 255 characters.
void reportErrorMessage(PF_OutData* out_data, const char* message);

// Runs a command body and turns whatever it throws into the command's result.
template <typename Body>
PF_Err runGuarded(PF_OutData* out_data, Body&& body) noexcept {
  try {
    return body();
  } catch (const AEUtil::AEException& e) {
    reportErrorMessage(out_data, e.what());
    return e.code;
  } catch (const std::exception& e) {
    reportErrorMessage(out_data, e.what());
    return PF_Err_INTERNAL_STRUCT_DAMAGED;
  } catch (PF_Err code) {
    try {
      reportErrorMessage(out_data, integerErrorMessage(code).c_str());
    } catch (...) {
    }
    return code;
  } catch (...) {
    reportErrorMessage(out_data, unknownErrorMessage());
    return PF_Err_INTERNAL_STRUCT_DAMAGED;
  }
}
