// The process-wide card slots, one per card address 0 ... 3, shared by all
// instances. Each board is tried at most once per process.
#pragma once

#include <cstdint>

inline constexpr int32_t CardAddressCount = 4;
inline constexpr int32_t SlotClosed = -2;        // never tried
inline constexpr int32_t SlotNotAvailable = -1;  // tried, did not open
// Any value above SlotNotAvailable is an open board.

extern int32_t CardStatus[CardAddressCount];

// Puts every slot back to closed, as a fresh process has them; for tests
// that run many sessions in one process.
void ResetCardSlots();

inline bool CardIsOpen(int32_t address) { return CardStatus[address] > SlotNotAvailable; }

// Opens the board at address (0 ... 3) if its slot is still closed and the
// vendor library is usable; other addresses are ignored.
void OpenCard(int32_t address);
void OpenAllCards();

// Closes every open board in address order; the slots keep their values.
void CloseAllCards();

// finish: closes the boards, then frees the vendor library. Safe to repeat.
void FinishModule();
