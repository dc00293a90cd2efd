// The process-wide card slots, one per card address 0 ... 3, shared by all
// instances. Each board is tried at most once per process.
#pragma once

#include <cstdint>

#include "module/module_abi.h"

inline constexpr int32_t SlotClosed = -2;        // never tried
inline constexpr int32_t SlotNotAvailable = -1;  // tried, did not open
// Any value above SlotNotAvailable is an open board.

struct TCardSlots {
  int32_t Status[CardAddressCount];  // by card address
  // By card address: the board was open and the library dropped it. Its
  // slot is not available now, yet the library may still hold other boards
  // that its OpenDevice opened, which only a CloseDevice closes.
  bool Dropped[CardAddressCount];
};

// The process's slots, as OpenCard leaves them; all SlotClosed at load time
// (constant-initialised, no code runs, no guard). Inline, so that the output
// call reads them without a call.
inline TCardSlots& CardSlots() {
  static_assert(CardAddressCount == 4, "an initial value for each slot");
  static constinit TCardSlots slots{{SlotClosed, SlotClosed, SlotClosed, SlotClosed}, {}};
  return slots;
}

inline int32_t CardSlot(int32_t address) { return CardSlots().Status[address]; }
inline bool CardIsOpen(int32_t address) { return CardSlot(address) > SlotNotAvailable; }

// Opens the board at address (0 ... 3) if its slot is still closed and the
// vendor library is usable; other addresses are ignored.
void OpenCard(int32_t address);
void OpenAllCards();

// The library no longer answers for the open board at address (its
// SetCurrentDevice gave -1: the board was unplugged while open): the slot
// becomes not available, as for a board that never answered, and is never
// opened again in this process.
void DropCard(int32_t address);

// Closes every open board in address order, and a dropped one as if it were
// open (its SetCurrentDevice answers -1, its CloseDevice closes every board
// the library still holds), so that finish leaves the library with no
// board open; the slots keep their values.
void CloseAllCards();

// finish: closes the boards, then frees the vendor library. Safe to repeat.
void FinishModule();
