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
// Every panel shown, whichever instance's it is (the slots are the
// process's), shows the slots' states anew soon, each on the thread that
// runs its windows, for a caller on another thread (the host's output
// thread); nothing while no panel is shown.
void ShowCardStatesSoon();
