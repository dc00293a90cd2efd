// The card states as the module's settings panel lists them: entries
// "(none)", then "n (closed)", "n (not available)" or "n (open)" for card
// address n. The test host reads them to tell which boards answer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TCardRow {
  int32_t Address;    // 0 ... 3
  std::string State;  // "closed", "not available" or "open"
};

// Reads one entry of the list; false for "(none)" or a text of another form.
bool ParseCardEntry(std::string_view entry, TCardRow& row);

// A table of the rows: card number, card address, state.
std::string FormatCardTable(const std::vector<TCardRow>& rows);
