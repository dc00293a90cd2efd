#include "module/card_slots.h"

#include "k8055d/k8055d.h"

void OpenCard(int32_t address) {
  if (!DriverReady() || !IsCardAddress(address)) return;
  int32_t& slot = CardSlots().Status[address];
  if (slot < SlotNotAvailable) slot = OpenDevice(address);
}

void OpenAllCards() {
  for (int32_t address = 0; address < CardAddressCount; ++address) OpenCard(address);
}

void DropCard(int32_t address) {
  if (!IsCardAddress(address) || !CardIsOpen(address)) return;
  CardSlots().Status[address] = SlotNotAvailable;
  CardSlots().Dropped[address] = true;
}

void CloseAllCards() {
  if (!DriverReady()) return;
  for (int32_t address = 0; address < CardAddressCount; ++address) {
    if (!CardIsOpen(address) && !CardSlots().Dropped[address]) continue;
    SetCurrentDevice(address);
    CloseDevice();
  }
}

void FinishModule() {
  CloseAllCards();
  UnloadDriver();
}
