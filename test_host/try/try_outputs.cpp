#include "test_host/try/try_outputs.h"

#include "test_host/session/channel_levels.h"
#include "test_host/text/number_text.h"

TTryOutputs::TTryOutputs(TActionExport action, TOutputInstance* instance, int32_t channelCount)
    : Action_(action), Instance_(instance), Levels_(static_cast<size_t>(channelCount), 0) {}

bool TTryOutputs::Change(int32_t channel, int32_t level) {
  if (channel < 1 || channel > static_cast<int32_t>(Levels_.size()) || Level(channel) == level) return false;
  Levels_[static_cast<size_t>(channel - 1)] = level;
  Send(channel);
  return true;
}

void TTryOutputs::SendAll() {
  for (int32_t channel = 1; channel <= static_cast<int32_t>(Levels_.size()); ++channel) Send(channel);
}

bool TTryOutputs::FollowSettings(const std::string& settings) {
  const bool picked = SettingsRead_ && settings != Settings_;
  SettingsRead_ = true;
  Settings_ = settings;
  int32_t card = 0;
  std::string error;
  if (!picked || !ParseQuantity(settings, CardNumber, card, error)) return false;
  SendAll();
  return true;
}

void TTryOutputs::Send(int32_t channel) {
  Block_.fill(SampleValueForLevel(channel, Level(channel)));
  Action_(Instance_, channel, 0, 0, 0, Block_.data());
  ++ActionCalls_;
}
