// The rows with which identify and off drive a board's outputs, played
// like the rows of a play file.
#pragma once

#include <cstdint>
#include <vector>

#include "test_host/play/play_file.h"

// All ten outputs of card, eight digital and two analog, at value.
std::vector<TPlayRow> AllOutputsRows(int32_t card, int32_t timeMs, int32_t value);

// identify: every output of card on (analog at the top) and off again,
// 250 ms each, six times; the last rows leave them off.
std::vector<TPlayRow> IdentifyRows(int32_t card);

// How long identify's flashing lasts.
inline constexpr int32_t IdentifyLengthMs = 3000;
