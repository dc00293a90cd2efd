// Blocks of SamplesPerBlock samples with a chosen sum, for tests on both
// platforms.
#pragma once

#include <array>
#include <cstdint>

#include "module/module_abi.h"

using TSamples = std::array<uint16_t, SamplesPerBlock>;

// Samples adding up to sum, as evenly spread as possible.
inline TSamples SamplesWithSum(uint32_t sum) {
  TSamples samples;
  constexpr uint32_t count = SamplesPerBlock;
  for (uint32_t i = 0; i < count; ++i) samples[i] = static_cast<uint16_t>(sum / count + (i < sum % count));
  return samples;
}
