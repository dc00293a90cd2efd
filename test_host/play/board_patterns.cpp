#include "test_host/play/board_patterns.h"

#include "module/module_abi.h"

namespace {

constexpr int32_t AllOn = 65535;  // digital on; analog 65535 / 20, clamped to 255
constexpr int32_t FlashMs = 250;

}  // namespace

std::vector<TPlayRow> AllOutputsRows(int32_t card, int32_t timeMs, int32_t value) {
  std::vector<TPlayRow> rows;
  for (int32_t channel = 1; channel <= ChannelCount; ++channel) rows.push_back({timeMs, channel, value, card, 0});
  return rows;
}

std::vector<TPlayRow> IdentifyRows(int32_t card) {
  std::vector<TPlayRow> rows;
  for (int32_t onMs = 0; onMs < IdentifyLengthMs; onMs += 2 * FlashMs) {
    for (const TPlayRow& row : AllOutputsRows(card, onMs, AllOn)) rows.push_back(row);
    for (const TPlayRow& row : AllOutputsRows(card, onMs + FlashMs, 0)) rows.push_back(row);
  }
  return rows;
}
