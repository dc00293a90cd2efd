// try's status line: the instance's caption and ready flag, its card and
// whether that card's board is open (a change that reaches no board shows
// as such), and the action calls made with their rate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "test_host/session/card_states.h"

struct TTryStatus {
  std::string Caption;
  bool Ready = false;
  std::string Settings;         // what save writes: the card number
  std::vector<TCardRow> Cards;  // as the panel lists them; empty when unread
  uint64_t ActionCalls = 0;
  int64_t TenthsPerSecond = 0;
};

// e.g. "Velleman K8055D | Ready yes | card 2 (address 1) open | 12 action
// calls, 50.0 per second"
std::string FormatTryStatus(const TTryStatus& status);

// The longest texts the status line can come to from status: with the
// card it has or any card a pick gives, in every state, and a count and a
// rate of many digits. The status line is made to fit the widest.
std::vector<std::string> LongestTryStatuses(const TTryStatus& status);
