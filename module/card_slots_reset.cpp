// Kept out of card_slots.cpp so that the DLL, which never resets, does not
// link it.
#include "module/card_slots.h"

void ResetCardSlots() {
  for (int32_t& slot : CardStatus) slot = SlotClosed;
}
