#include "card_list.h"

#include <cstdio>

bool ParseCardEntry(std::string_view entry, TCardRow& row) {
  if (entry.size() < 5 || entry[0] < '0' || entry[0] > '3' || entry.substr(1, 2) != " (" || entry.back() != ')')
    return false;
  const std::string_view state = entry.substr(3, entry.size() - 4);
  if (state != "closed" && state != "not available" && state != "open") return false;
  row.Address = entry[0] - '0';
  row.State = std::string(state);
  return true;
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
