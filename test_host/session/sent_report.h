// What set prints about the block it sent, and what the board should show
// for it: a digital output is on unless the mean is 0; an analog output
// gets the mean div 20, at most 255.
#pragma once

#include <cstdint>
#include <string>

std::string DescribeSent(int32_t card, int32_t channel, const std::string& channelName, int32_t mean);
