// An error that carries its host error code and a message naming where it was raised.
#pragma once

#include <cstdio>
#include <exception>
#include <string>

#include "AE_Effect.h"

namespace AEUtil {

class AEException : public std::exception {
public:
  // The message is "<file>(<line>): " followed by the formatted text; each piece is
  // formatted into a 2048-character buffer, as the host's message field is small anyway.
  template <typename... Args>
  AEException(PF_Err code, int line, const char* file, const char* format, Args... args)
      : code(code), message_(positionText(file, line) + formatText(format, args...)), whatText_(message_) {}

  ~AEException() override;
  const char* what() const noexcept override;
  virtual const std::string& message() const noexcept;

  PF_Err code;

private:
  static constexpr std::size_t kPieceLength = 2048;
  static std::string positionText(const char* file, int line);

  template <typename... Args>
  static std::string formatText(const char* format, Args... args) {
    char buffer[kPieceLength] = {};
    if constexpr (sizeof...(Args) == 0) {
      std::snprintf(buffer, sizeof buffer, "%s", format);
    } else {
      std::snprintf(buffer, sizeof buffer, format, args...);
    }
    return buffer;
  }

  std::string message_;
  std::string whatText_;  // the copy what() hands out
};

}  // namespace AEUtil
