#include "SvgNumber.h"

#include <cctype>
#include <charconv>
#include <system_error>

namespace inkline_cli {

namespace {

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

SvgNumber readSvgNumber(std::string_view text) {
  SvgNumber number;
  std::size_t end = 0;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
  std::size_t digits = 0;
  while (end < text.size() && isDigit(text[end])) ++end, ++digits;
  if (end < text.size() && text[end] == '.') {
    ++end;
    while (end < text.size() && isDigit(text[end])) ++end, ++digits;
  }
  if (digits == 0) {
    number.problem = SvgNumber::Problem::NoDigits;
    return number;
  }
  bool negativeExponent = false;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponent = end + 1;
    negativeExponent = exponent < text.size() && text[exponent] == '-';
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const std::size_t exponentDigits = exponent;
    while (exponent < text.size() && isDigit(text[exponent])) ++exponent;
    // "1e" and "1e+" are the number 1 followed by something else.
    if (exponent > exponentDigits) end = exponent;
  }
  // from_chars takes no leading '+'.
  const char* first = text.data() + (text[0] == '+' ? 1 : 0);
  const char* last = text.data() + end;
  const auto [ptr, ec] = std::from_chars(first, last, number.value);
  if (ec == std::errc::result_out_of_range && ptr == last && negativeExponent) {
    number.value = text[0] == '-' ? -0.0 : 0.0;
  } else if (ec != std::errc{} || ptr != last) {
    number.problem = SvgNumber::Problem::OutOfRange;
    return number;
  }
  number.length = end;
  return number;
}

}  // namespace inkline_cli
