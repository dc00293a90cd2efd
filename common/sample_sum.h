// The sum of a block of 16-bit samples, the inner loop of every output call.
#pragma once

#include <cstdint>

// Sum of samples[0 .. count-1]; exact for up to 65537 samples.
uint32_t SumSamples(const uint16_t* samples, uint32_t count);
