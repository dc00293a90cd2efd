#include "panel/card_list.h"

#include <cstring>

#include "module/card_slots.h"
#include "panel/card_list_texts.h"
#include "panel/gui.h"

namespace {

const char* SlotStateText(int32_t address) {
  if (CardSlot(address) < SlotNotAvailable) return SlotClosedText;
  if (CardSlot(address) == SlotNotAvailable) return SlotNotAvailableText;
  return SlotOpenText;
}

// The group box shows the hourglass for the object's lifetime; a panel
// gone meanwhile is left alone. (A structured exception passing through
// skips the destructor: the Windows GUI restores the cursor then.)
class TBusyCursor {
 public:
  explicit TBusyCursor(TDetails* details) : Details_(details) {
    PlatformGui.SetCursor(Details_->GroupBox, TCursor::Hourglass);
  }
  ~TBusyCursor() {
    if (Details_->GroupBox != nullptr) PlatformGui.SetCursor(Details_->GroupBox, TCursor::Default);
  }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  TDetails* Details_;
};

}  // namespace

void RefreshCardList(TDetails* details) {
  TControl list = details->AddressCombo;
  PlatformGui.ClearList(list);
  PlatformGui.AddListEntry(list, NoCardEntry, 0);
  int32_t selected = 0;
  for (int32_t card = 1; card <= CardAddressCount; ++card) {
    const int32_t address = card - 1;
    char text[24] = {static_cast<char>('0' + address)};
    std::strcat(text, SlotStateText(address));
    PlatformGui.AddListEntry(list, text, card);
    if (card == details->Card) selected = card;
  }
  PlatformGui.Select(list, selected);
}

void CardListChange(TDetails* details) {
  TControl list = details->AddressCombo;
  const int32_t index = PlatformGui.SelectedIndex(list);
  if (index >= 0 && index < PlatformGui.ListCount(list)) {
    details->Card = PlatformGui.ItemValue(list, index);
    if (details->Card > 0) {
      TBusyCursor busy(details);
      OpenCard(details->Card - 1);
    }
  }
  if (details->AddressCombo != nullptr) RefreshCardList(details);
}

void ShowCardStatesSoon() { PlatformGui.RequestRefreshAll(); }
