#include "test_host/try/try_status.h"

#include "panel/card_list_texts.h"
#include "test_host/text/number_text.h"

namespace {

constexpr char ReachesNoBoard[] = ": nothing reaches a board";

std::string CardText(const TTryStatus& status) {
  if (Trimmed(status.Settings) == "0") return std::string("no card") + ReachesNoBoard;
  int32_t card = 0;
  std::string error;
  if (!ParseQuantity(status.Settings, CardNumber, card, error))
    return "card " + status.Settings + " (not 1 ... 4)" + ReachesNoBoard;
  const std::string name = "card " + std::to_string(card) + " (address " + std::to_string(card - 1) + ")";
  for (const TCardRow& row : status.Cards) {
    if (row.Address != card - 1) continue;
    return name + " " + row.State + (row.State == "open" ? "" : ReachesNoBoard);
  }
  return name + ", state unknown";
}

std::string CallsText(const TTryStatus& status) {
  const int64_t tenths = status.TenthsPerSecond;
  return std::to_string(status.ActionCalls) + (status.ActionCalls == 1 ? " action call, " : " action calls, ") +
         std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " per second";
}

}  // namespace

std::string FormatTryStatus(const TTryStatus& status) {
  return status.Caption + " | Ready " + (status.Ready ? "yes" : "no") + " | " + CardText(status) + " | " +
         CallsText(status);
}

std::vector<std::string> LongestTryStatuses(const TTryStatus& status) {
  TTryStatus longest = status;
  longest.ActionCalls = 999999999999;  // 3 years at 10,000 a second
  longest.TenthsPerSecond = 999999;
  std::vector<std::string> texts;
  for (const std::string& settings : {status.Settings, std::string("0"), std::string("1"), std::string("2"),
                                      std::string("3"), std::string("4")}) {
    longest.Settings = settings;
    longest.Cards.clear();
    texts.push_back(FormatTryStatus(longest));
    for (const char* state : {SlotClosedText, SlotNotAvailableText, SlotOpenText}) {
      longest.Cards.clear();
      for (int address = 0; address < 4; ++address) {
        TCardRow row;
        if (ParseCardEntry(std::to_string(address) + state, row)) longest.Cards.push_back(row);
      }
      texts.push_back(FormatTryStatus(longest));
    }
  }
  return texts;
}
