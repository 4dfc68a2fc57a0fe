// Reading typed fields out of scene JSON, each failure an InputError naming the place
// ("masks[2].path") and what was expected.
#pragma once

#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace inkline_cli {

using Json = nlohmann::json;

// "a number", "a string", "an array"... for messages.
std::string describeJsonType(const Json& value);

// place + "." + key, or just key at the top level.
std::string childPlace(const std::string& place, std::string_view key);
std::string indexPlace(const std::string& place, std::size_t index);  // place[index]

// Each throws InputError("<place>: expected ..., found ...").
const Json& requireObject(const Json& value, const std::string& place);
const Json& requireArray(const Json& value, const std::string& place);
std::string readString(const Json& value, const std::string& place);
double readNumber(const Json& value, const std::string& place);  // finite
long long readInteger(const Json& value, const std::string& place, long long min, long long max);
bool readBool(const Json& value, const std::string& place);

// Every key of the object must be one of `known` (a misspelt key would otherwise be ignored).
void rejectUnknownKeys(const Json& object, std::initializer_list<std::string_view> known, const std::string& place);

[[noreturn]] void failAt(const std::string& place, const std::string& problem);

}  // namespace inkline_cli
