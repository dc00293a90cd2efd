// The virtual boards: up to four boards kept in memory, answering as the
// vendor's library answers (board_model.h). Their settings
// (board_settings.h: k8055d.ini beside this DLL and the environment, read
// at every OpenDevice and SearchDevices and at any call while no board is
// open) list the card addresses whose boards are plugged in, may unplug
// them at given calls, give each transfer a board's time, name a file in
// which every call is recorded (call_trace.h), and may give each open board
// a live window (board_window.h), from which the user can pull the board
// out and plug it back in. Nothing is connected to the inputs, so every
// read gives 0.
#pragma once

#include <cstdint>

#include "k8055d/vendor_entries.h"

// One call of entry with its number arguments (0 for the others); returns
// its answer (0 for an entry without one). The values a read call fills
// are the caller's to set: all 0.
int32_t VirtualBoardCall(TVendorEntry entry, int32_t a, int32_t b);

// Closes the virtual boards that are open, with their windows, as a
// forwarded session starts: its calls go to the library from then on.
// Recorded as no call.
void CloseVirtualBoards();
