// The panel's card list: one "(none)" entry and one per card address with
// its slot's state, and the handler for the user's pick.
#pragma once

#include "module/instance.h"

// Refills the list from the card slots and selects the entry of details.Card
// ("(none)" for a card outside 1 ... 4).
void RefreshCardList(TDetails* details);
// The user picked an entry: it becomes the card, its board is opened (under
// the hourglass) and the list is refreshed.
void CardListChange(TDetails* details);
// The list shows the slots' states anew soon, on the thread that runs the
// panel's windows, for a caller on another thread (the host's output
// thread); nothing while no panel is shown.
void ShowCardStatesSoon(TDetails* details);
