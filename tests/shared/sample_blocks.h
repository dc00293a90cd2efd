// Blocks of 1024 samples with a chosen sum, for tests on both platforms.
#pragma once

#include <array>
#include <cstdint>

using TSamples = std::array<uint16_t, 1024>;

// 1024 samples adding up to sum, as evenly spread as possible.
inline TSamples SamplesWithSum(uint32_t sum) {
  TSamples samples;
  for (uint32_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint16_t>(sum / 1024 + (i < sum % 1024));
  return samples;
}
