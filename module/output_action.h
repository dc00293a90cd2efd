// action: one channel's block of samples to the instance's board.
#pragma once

#include <cstdint>

#include "module/instance.h"

inline constexpr int32_t LastChannel = ChannelCount;

// Sends the rounded mean of the SamplesPerBlock samples to the instance's
// open board, as module_abi.h tells.
// Sends nothing for other channels, cards or null pointers, nor when the
// library no longer answers for the board (then its slot is dropped and
// every shown panel's card list shows it soon). Always 0.
uint8_t OutputAction(const TOutputInstance* instance, int32_t channel, const uint16_t* samples);
