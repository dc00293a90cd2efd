#include "test_host/session/card_states.h"

#include <cstdio>

#include "panel/card_list_texts.h"

bool ParseCardEntry(std::string_view entry, TCardRow& row) {
  if (entry.empty() || entry[0] < '0' || entry[0] > '3') return false;
  const std::string_view stateText = entry.substr(1);
  for (const char* known : {SlotClosedText, SlotNotAvailableText, SlotOpenText}) {
    if (stateText != known) continue;
    row.Address = entry[0] - '0';
    row.State = std::string(stateText.substr(2, stateText.size() - 3));  // without " (" and ")"
    return true;
  }
  return false;
}

std::string FormatCardTable(const std::vector<TCardRow>& rows) {
  std::string table = "card  address  state\n";
  for (const TCardRow& row : rows) {
    char line[64];
    std::snprintf(line, sizeof(line), "%4d  %7d  %s\n", static_cast<int>(row.Address + 1),
                  static_cast<int>(row.Address), row.State.c_str());
    table += line;
  }
  return table;
}
