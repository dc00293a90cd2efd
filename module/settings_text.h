// open / save: the instance's settings text, its card number in decimal.
#pragma once

#include <cstdint>
#include <string_view>

#include "module/instance.h"

// Strict decimal: an optional "-" and one or more digits within 32 bits.
// Anything else (empty, blanks, "+", other characters, overflow) gives 0.
int32_t CardNumberFromText(std::string_view field);

// Restores the card from the text before the first ",", and opens a card
// 1 ... 4. Null instance or text: the instance gets card 0 / nothing happens.
void OpenSettings(TOutputInstance* instance, const char* text);

// Writes the card number into buffer (at most size characters and a NUL).
int32_t SaveSettings(const TOutputInstance* instance, char* buffer, uint32_t size);
