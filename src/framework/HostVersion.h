// What the host's effect API version (in_data->version) tells about its abilities.
#pragma once

#include "AE_Effect.h"

// A whole number ordering host versions: 110 and above have version 3 of the
// parameter-utilities suite.
int hostVersionNumber(PF_SpecVersion version);

// 3 on hosts numbered 110 or more, else 2.
int paramUtilsSuiteVersion(PF_SpecVersion version);

// Hosts of API 12.11 and older get the built-in defaults only; newer ones the stored ones.
bool hostReadsStoredDefaults(PF_SpecVersion version);
