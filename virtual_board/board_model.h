// The virtual board's four boards as the calls leave them: which are open,
// which one is selected, and each one's outputs. Portable: the virtual
// board runs its entry points on it, and the test host's timeline replays a
// call record on it, so both read calls the same way.
#pragma once

#include <cstdint>

#include "k8055d/vendor_entries.h"
#include "module/module_abi.h"

struct TVirtualBoard {
  bool Open;
  uint8_t Digital;    // bit n-1: digital output n
  int32_t Analog[AnalogChannels];  // analog outputs 1, 2, ..., 0 ... AnalogMax
};

struct TBoardModel {
  TVirtualBoard Boards[CardAddressCount]{};  // by card address
  int32_t Current = -1;  // the address that output calls go to

  bool AnyOpen() const;
  // OpenDevice for an address that answers: opened and selected. False, and
  // nothing changed, for an address that is no card address.
  bool Open(int32_t address);
  // CloseDevice: the selected board closed, its outputs back to 0. Returns
  // its address, or -1 when none was open.
  int32_t Close();
  // SetCurrentDevice: false when address is not an open board.
  bool Select(int32_t address);
  // One of the eleven output calls (OutputAnalogChannel ... SetAllDigital)
  // with its arguments. Returns the address of the board it was for, or -1
  // when no open board is selected, the channel is not one of the board's,
  // or entry is not an output call.
  int32_t Output(TVendorEntry entry, int32_t a = 0, int32_t b = 0);
};
