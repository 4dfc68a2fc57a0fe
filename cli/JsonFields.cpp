#include "JsonFields.h"

#include <cmath>
#include <vector>

#include "ExitCodes.h"
#include "NameSuggestion.h"

namespace inkline_cli {

std::string describeJsonType(const Json& value) {
  switch (value.type()) {
    case Json::value_t::null:
      return "null";
    case Json::value_t::object:
      return "an object";
    case Json::value_t::array:
      return "an array";
    case Json::value_t::string:
      return "the string " + value.dump();
    case Json::value_t::boolean:
      return value.get<bool>() ? "true" : "false";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
      return "the number " + value.dump();
    default:
      return "an unsupported value";
  }
}

std::string childPlace(const std::string& place, std::string_view key) {
  const bool plain = !key.empty() && key.find_first_of(" ./[]\"") == std::string_view::npos;
  const std::string part = plain ? std::string(key) : Json(std::string(key)).dump();
  if (place.empty()) return part;
  return plain ? place + "." + part : place + "[" + part + "]";
}

std::string indexPlace(const std::string& place, std::size_t index) {
  return place + "[" + std::to_string(index) + "]";
}

void failAt(const std::string& place, const std::string& problem) {
  throw InputError(place.empty() ? problem : place + ": " + problem);
}

const Json& requireObject(const Json& value, const std::string& place) {
  if (!value.is_object()) failAt(place, "expected an object, found " + describeJsonType(value));
  return value;
}

const Json& requireArray(const Json& value, const std::string& place) {
  if (!value.is_array()) failAt(place, "expected an array, found " + describeJsonType(value));
  return value;
}

std::string readString(const Json& value, const std::string& place) {
  if (!value.is_string()) failAt(place, "expected a string, found " + describeJsonType(value));
  return value.get<std::string>();
}

double readNumber(const Json& value, const std::string& place) {
  if (!value.is_number()) failAt(place, "expected a number, found " + describeJsonType(value));
  const double number = value.get<double>();
  if (!std::isfinite(number)) failAt(place, "expected a finite number");
  return number;
}

long long readInteger(const Json& value, const std::string& place, long long min, long long max) {
  const double number = readNumber(value, place);
  if (number != std::floor(number)) failAt(place, "expected a whole number, found " + value.dump());
  if (number < static_cast<double>(min) || number > static_cast<double>(max)) {
    failAt(place, value.dump() + " is outside " + std::to_string(min) + " to " + std::to_string(max));
  }
  return static_cast<long long>(number);
}

bool readBool(const Json& value, const std::string& place) {
  if (!value.is_boolean()) failAt(place, "expected true or false, found " + describeJsonType(value));
  return value.get<bool>();
}

void rejectUnknownKeys(const Json& object, std::initializer_list<std::string_view> known, const std::string& place) {
  const std::vector<std::string> names(known.begin(), known.end());
  for (const auto& item : object.items()) {
    bool found = false;
    for (const std::string& name : names) found = found || name == item.key();
    if (!found) {
      failAt(childPlace(place, item.key()), "unknown key \"" + item.key() + "\"" + didYouMean(item.key(), names));
    }
  }
}

}  // namespace inkline_cli
