// A block of samples for set --samples: 1024 values 0 ... 65535, separated
// by commas, blanks or line ends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "module/module_abi.h"

// On failure sets error ("line N: ..." for a bad value, or the count found).
bool ParseSamples(std::string_view text, std::vector<uint16_t>& samples, std::string& error);
