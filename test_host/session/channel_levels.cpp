#include "test_host/session/channel_levels.h"

#include <algorithm>

namespace {

constexpr uint16_t DigitalOn = 65535;

}  // namespace

bool IsAnalogChannel(int32_t channel) { return channel > DigitalChannels; }

int32_t LevelForMean(int32_t channel, int32_t mean) {
  if (IsAnalogChannel(channel)) return std::min(mean / AnalogStep, AnalogMax);
  return mean != 0 ? 1 : 0;
}

uint16_t SampleValueForLevel(int32_t channel, int32_t level) {
  if (IsAnalogChannel(channel)) return static_cast<uint16_t>(std::clamp(level, 0, AnalogMax) * AnalogStep);
  return level != 0 ? DigitalOn : 0;
}
