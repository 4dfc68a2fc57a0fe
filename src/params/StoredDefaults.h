// Reading and writing single entries of the settings file of stored defaults. Decimal texts
// use the process's locale, which the filter sets to the user's: the separator in the file
// is the user's.
#pragma once

#include <string>

#include "AE_Effect.h"

// The section every entry lives in.
inline constexpr const char* kStoredDefaultsSection = "Version=1.5";

A_long readStoredInteger(const char* settingsPath, const char* key, A_long fallback);

// The stored text converted with atof; a missing key converts the fallback's "%f" text, so a
// default read through the file carries at most six decimals either way.
double readStoredDecimal(const char* settingsPath, const char* key, double fallback);

void writeStoredInteger(const char* settingsPath, const char* key, A_long value);
void writeStoredDecimal(const char* settingsPath, const char* key, double value);

// "<name>.r" and so on.
std::string componentKey(const char* name, const char* component);
