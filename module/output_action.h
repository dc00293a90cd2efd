// action: one channel's block of samples to the instance's board.
#pragma once

#include <cstdint>

#include "module/instance.h"

inline constexpr int32_t LastChannel = ChannelCount;

// Sends the rounded mean of the 1024 samples to channel 1 ... 8 (on when not
// 0) or 9 ... 10 (mean / 20, at most 255) of the instance's open board.
// Sends nothing for other channels, cards or null pointers. Always 0.
uint8_t OutputAction(const TOutputInstance* instance, int32_t channel, const uint16_t* samples);
