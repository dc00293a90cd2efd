// The virtual board's windows as a test in the same process sees them: by
// card address, their layout, and their picture sampled at a lamp or bar.
#pragma once

#include <windows.h>

#include "virtual_board/board_window_layout.h"

// The board window of this process (tests run in parallel) for an address.
HWND BoardWindow(int address);
// Where the window draws its parts, as it tells a test.
TBoardLayout LayoutOf(HWND window);
// Lamp n (1 ... 8) at its centre.
COLORREF Lamp(HWND window, int n);
// Analog bar n (1, 2) at the place of a level, halfway down.
COLORREF BarAt(HWND window, int n, int level);

// Posted updates reach the window thread a moment later; removing a window
// takes up to 2 s under wine without a window manager.
template <typename TCheck>
bool Eventually(TCheck check) {
  for (int tries = 0; tries < 500; ++tries, Sleep(20))
    if (check()) return true;
  return false;
}
