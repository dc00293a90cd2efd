// The levels that try sends to the instance's channels, each through one
// action call with a block of 1024 equal samples that gives the level, as a
// host sends them. Counts the action calls.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "module/module_abi.h"
#include "test_host/play/samples_file.h"

class TTryOutputs {
 public:
  // Channels 1 ... channelCount, all at level 0 and not sent yet.
  TTryOutputs(TActionExport action, TOutputInstance* instance, int32_t channelCount);

  // A user's change: sends the channel once if level differs from its
  // current level; returns whether it sent.
  bool Change(int32_t channel, int32_t level);
  // Sends every channel at its current level, channel 1 first.
  void SendAll();
  // The instance's settings text, read after the user may have picked a
  // card in the panel. When it names a card 1 ... 4 and differs from the
  // text read before, the new card has all off: sends every channel at its
  // current level, as a host's next output does, and returns true. The
  // first reading only notes the text.
  bool FollowSettings(const std::string& settings);

  int32_t Level(int32_t channel) const { return Levels_.at(static_cast<size_t>(channel - 1)); }
  uint64_t ActionCalls() const { return ActionCalls_; }

 private:
  void Send(int32_t channel);

  TActionExport Action_;
  TOutputInstance* Instance_;
  std::vector<int32_t> Levels_;
  std::array<uint16_t, SamplesPerBlock> Block_{};
  uint64_t ActionCalls_ = 0;
  bool SettingsRead_ = false;
  std::string Settings_;
};
