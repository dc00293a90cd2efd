// A plain top-level window of the test host, into which the module's
// settings panel is embedded as a host embeds it. Closing the window, or
// Esc as in a dialog box, posts WM_QUIT; the window itself stays until its
// owner destroys it.
#pragma once

#include <windows.h>

#include "module/module_abi.h"

inline constexpr char HostWindowClass[] = "TarnwellHostWindow";

// The client area that fits the panel, with its margin on every side.
inline constexpr int PanelHostWidth = PanelBounds.Left * 2 + PanelBounds.Width;
inline constexpr int PanelHostHeight = PanelBounds.Top * 2 + PanelBounds.Height;

// A hidden window whose client area fits the panel.
HWND CreateHostWindow(const char* title);

// Makes the window's client area width x height, in the frame of dpi (the
// window's), and moves the window into the work area of its monitor as far
// as it fits.
void FitHostWindow(HWND window, int width, int height, UINT dpi);

// When the window moves to a monitor of another DPI (WM_DPICHANGED), it
// takes the rectangle Windows suggests and passes the message on to
// follower, which lays itself out for the new DPI and fits the window to
// it. Without a follower the client area stays the panel's.
void FollowDpiChanges(HWND window, HWND follower);

// Gives a message of the window's thread to the window's dialog keys, as
// IsDialogMessage does (Tab, Shift+Tab, the arrow keys, Space, Esc); true
// when they took it. From the first key pressed on, the focus rectangle
// shows: Windows hides it after mouse input until a key moves the focus,
// so a check box clicked, then toggled with Space, showed none.
bool TakeDialogKey(HWND window, MSG& message);
