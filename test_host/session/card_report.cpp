#include "test_host/session/card_report.h"

std::string CardNames(const std::vector<int32_t>& cards) {
  std::string names = cards.size() == 1 ? "card " : "cards ";
  for (size_t i = 0; i < cards.size(); ++i) names += (i ? ", " : "") + std::to_string(cards[i]);
  return names;
}

std::string CardWithAddress(int32_t card) {
  return "card " + std::to_string(card) + " (card address " + std::to_string(card - 1) + ")";
}

std::string CardNotReached(int32_t card, int32_t openResult) {
  if (openResult == OpenDeviceNotCalled) return CardWithAddress(card) + " was not opened";
  if (openResult >= 0) return CardWithAddress(card) + " is open, yet the module sent it nothing";
  return "card " + std::to_string(card) + " does not answer (card address " + std::to_string(card - 1) + ")";
}

std::string CardDropped(int32_t card) {
  return CardWithAddress(card) +
         " stopped answering: a command to it failed, and the driver dropped its board (unplugged, or its USB "
         "connection lost); nothing reached it from that command on. The driver takes a board back only when a "
         "program opens it anew: plug it in and start again.";
}
