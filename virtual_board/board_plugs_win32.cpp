#include "virtual_board/board_plugs_win32.h"

#include <windows.h>

namespace {

volatile LONG PulledOut = 0;                  // bit a: board a is out
volatile LONG PullCounts[CardAddressCount] = {};  // how often each board was pulled out
LONG SeenPullCounts[CardAddressCount] = {};   // the caller's thread's, at its last call
LONG SeenPulledOut = 0;

LONG Bit(int32_t address) { return static_cast<LONG>(1u << address); }

}  // namespace

void PullOut(int32_t address) {
  if (!IsCardAddress(address)) return;
  InterlockedIncrement(&PullCounts[address]);
  InterlockedOr(&PulledOut, Bit(address));
}

void PlugBackIn(int32_t address) {
  if (IsCardAddress(address)) InterlockedAnd(&PulledOut, ~Bit(address));
}

bool IsPulledOut(int32_t address) { return IsCardAddress(address) && (PulledOut & Bit(address)) != 0; }

uint8_t FollowPlugs(TBoardModel& model, uint8_t present, const TUnplugTimes (&times)[CardAddressCount],
                    uint32_t call) {
  for (int32_t address = 0; address < CardAddressCount; ++address) {
    if (times[address].At == call) PullOut(address);
    if (times[address].Back == call) PlugBackIn(address);
  }
  uint8_t pulled = 0;
  for (int32_t address = 0; address < CardAddressCount; ++address) {
    const LONG count = PullCounts[address];
    if (count == SeenPullCounts[address]) continue;
    SeenPullCounts[address] = count;
    pulled = static_cast<uint8_t>(pulled | Bit(address));
  }
  const LONG out = PulledOut;
  const uint8_t changed = static_cast<uint8_t>(pulled | (out ^ SeenPulledOut));
  SeenPulledOut = out;
  if (pulled != 0) model.SetPlugged(static_cast<uint8_t>(model.Plugged & ~pulled));
  model.SetPlugged(static_cast<uint8_t>(present & ~out));
  return changed;
}
