// Strict whole numbers for the command line and the input files: decimal
// digits only, within the range of the quantity they stand for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "module/module_abi.h"

struct TQuantity {
  const char* Name;
  int32_t Min;
  int32_t Max;
};

inline constexpr TQuantity CardNumber{"card", 1, CardAddressCount};
inline constexpr TQuantity ChannelNumber{"channel", 1, ChannelCount};
inline constexpr TQuantity SampleValue{"value", 0, 65535};
inline constexpr TQuantity TimeMs{"time_ms", 0, 86400000};  // a day
inline constexpr TQuantity ResendRate{"rate", 1, 1000};      // rounds a second

// Parses text (surrounding blanks allowed) as a whole number of quantity.
// On failure sets error, e.g. `channel "11" is not a whole number from 1 to 10`.
bool ParseQuantity(std::string_view text, const TQuantity& quantity, int32_t& value, std::string& error);

// The text without leading and trailing blanks, tabs and carriage returns.
std::string_view Trimmed(std::string_view text);

// text in double quotes for an error line; of a long text only the first 60
// bytes (whole UTF-8 characters) and "...".
std::string QuotedField(std::string_view text);

// "1 row", "2 rows": count and noun, plural unless count is 1.
std::string CountOf(size_t count, const char* noun);
