#include "test_host/sent_report.h"

#include <algorithm>

namespace {

constexpr int32_t DigitalChannels = 8;
constexpr int32_t AnalogStep = 20;
constexpr int32_t AnalogMax = 255;

std::string Expected(int32_t channel, int32_t mean) {
  if (channel > DigitalChannels)
    return "analog output " + std::to_string(channel - DigitalChannels) + " at " +
           std::to_string(std::min(mean / AnalogStep, AnalogMax));
  return "digital output " + std::to_string(channel) + (mean != 0 ? " on" : " off");
}

}  // namespace

std::string DescribeSent(int32_t card, int32_t channel, const std::string& channelName, int32_t mean) {
  return "sent to card " + std::to_string(card) + " (address " + std::to_string(card - 1) + "), channel " +
         std::to_string(channel) + " \"" + channelName + "\": 1024 samples, mean " + std::to_string(mean) +
         "\nthe board should now show " + Expected(channel, mean) + "\n";
}
