// The work area (the screen less the taskbar and docked bars) of the
// monitor a window is on, as a window placed there must keep to it.
#pragma once

#include <windows.h>

// Of the monitor nearest window; of the primary monitor for a window not
// made yet (null).
RECT MonitorWorkArea(HWND window);
