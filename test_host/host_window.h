// A plain top-level window of the test host, into which the module's
// settings panel is embedded as a host embeds it. Closing the window posts
// WM_QUIT; the window itself stays until its owner destroys it.
#pragma once

#include <windows.h>

inline constexpr char HostWindowClass[] = "TarnwellHostWindow";

// The height of the client area that fits the panel (728 x 176 at 4, 4).
inline constexpr int PanelHostHeight = 184;

// A hidden window whose client area fits the panel and, below it, room of
// extraHeight pixels for the caller's controls.
HWND CreateHostWindow(const char* title, int extraHeight = 0);
