// Shared helpers: averaging a block of samples, cutting a field off a text,
// copying a text into a caller's buffer. Stateless; no allocation.
#pragma once

#include <cstdint>
#include <string_view>

// Rounded mean of samples[first-1 .. last-1] (positions counted from 1, at
// most 65536 of them),
// ties to the even integer. Returns 0 for an empty range.
int32_t AverageSamples(const uint16_t* samples, int32_t first, int32_t last);

// Returns the text before the first separator and leaves the text after it
// in `text`; without a separator returns the whole text and leaves it empty.
std::string_view CutFirstField(std::string_view& text, char separator);

// Copies at most `size` characters of `text` and a NUL into `buffer`
// (which must hold min(size, text length) + 1 bytes). Returns the number of
// characters copied; a null buffer receives nothing and gives 0.
int32_t TextToBuffer(std::string_view text, char* buffer, uint32_t size);
