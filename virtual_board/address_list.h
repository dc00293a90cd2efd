// A list of card addresses in an environment variable: the digits 0 ... 3
// anywhere in its text ("0,2"), read at every call so a test may change it.
#pragma once

#include <cstdint>

// Whether address is listed in variable; whenUnset when it is not set.
bool AddressListed(const char* variable, int32_t address, bool whenUnset);
