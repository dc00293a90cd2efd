// The rows that play streams: one per line, "time_ms,channel,value" or
// "time_ms,channel,value,card", or the same with ";" between the fields
// throughout the file. Blank lines, lines starting with "#" and, before the
// first row, a header line starting with "time_ms" (in any case) are
// skipped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TPlayRow {
  int32_t TimeMs;   // from the start of play
  int32_t Channel;  // 1 ... 10
  int32_t Value;    // sample value 0 ... 65535, sent as 1024 equal samples
  int32_t Card;     // card number 1 ... 4
  int Line;         // in the file, from 1
};

// Rows without a card column go to defaultCard. Times must not decrease.
// On the first bad row sets error to "line N: ..." and returns false; an
// empty file is an error too.
bool ParsePlayFile(std::string_view text, int32_t defaultCard, std::vector<TPlayRow>& rows, std::string& error);
