// What a block of samples makes of a channel on the board, and the block a
// level needs: channels 1 ... 8 are the digital outputs, on unless the mean
// is 0; 9 and 10 are analog outputs 1 and 2, at the mean div 20, at most 255.
#pragma once

#include <cstdint>

#include "module/module_abi.h"

bool IsAnalogChannel(int32_t channel);

// The level the board shows for a block of this mean: 0 or 1 for a digital
// output, 0 ... 255 for an analog one.
int32_t LevelForMean(int32_t channel, int32_t mean);

// The sample value whose block gives level: for a digital output 65535
// (on) or 0 (off), for an analog one level × 20, the level taken as
// 0 ... 255.
uint16_t SampleValueForLevel(int32_t channel, int32_t level);
