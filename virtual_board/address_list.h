// A list of card addresses in an environment variable, as the settings
// read one ("0,2"; board_settings.h), read at every call so a test may
// change it. For the test-only boards.
#pragma once

#include <cstdint>

// Whether address is listed in variable; whenUnset when it is not set, and
// false when the list cannot be read.
bool AddressListed(const char* variable, int32_t address, bool whenUnset);
