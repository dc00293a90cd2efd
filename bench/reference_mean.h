// The straightforward mean that AverageSamples is measured against: a sum
// in floating point, a division, rounding half to even.
#pragma once

#include <cmath>
#include <cstdint>

inline int32_t ReferenceMean(const uint16_t* samples, int32_t count) {
  double sum = 0;
  for (int32_t i = 0; i < count; ++i) sum += samples[i];
  return static_cast<int32_t>(std::nearbyint(sum / count));
}
