#include "test_host/session/sent_report.h"

#include "test_host/session/channel_levels.h"

namespace {

std::string Expected(int32_t channel, int32_t mean) {
  const int32_t level = LevelForMean(channel, mean);
  if (IsAnalogChannel(channel))
    return "analog output " + std::to_string(channel - DigitalChannels) + " at " + std::to_string(level);
  return "digital output " + std::to_string(channel) + (level != 0 ? " on" : " off");
}

}  // namespace

std::string DescribeSent(int32_t card, int32_t channel, const std::string& channelName, int32_t mean) {
  return "sent to card " + std::to_string(card) + " (address " + std::to_string(card - 1) + "), channel " +
         std::to_string(channel) + " \"" + channelName + "\": 1024 samples, mean " + std::to_string(mean) +
         "\nthe board should now show " + Expected(channel, mean) + "\n";
}
