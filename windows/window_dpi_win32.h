// The display scaling a window is drawn at, and the font and system sizes
// made for it. A window of a per-monitor-aware process follows its monitor's
// DPI (and hears WM_DPICHANGED when moved to another); any other gets the
// system's. The functions Windows has only from 8.1 or 10 (1607) on are
// looked up at run time, with the system's sizes, scaled, where they are
// missing.
#pragma once

#include <windows.h>

// The system's DPI, which the stock fonts and GetSystemMetrics are made for.
UINT SystemDpi();

// The DPI of window: GetDpiForWindow where Windows has it, else its
// monitor's (GetDpiForMonitor, Windows 8.1), else the system's.
UINT WindowDpi(HWND window);

// DEFAULT_GUI_FONT at dpi: the stock font itself at the system's DPI, else
// a font of its face with its height scaled to dpi (the stock font when
// that cannot be made). Give it back with ReleaseGuiFont.
HFONT GuiFontForDpi(UINT dpi);
void ReleaseGuiFont(HFONT font);

// GetSystemMetrics(index) at dpi.
int SystemMetricForDpi(int index, UINT dpi);

// AdjustWindowRectEx with the frame of dpi.
void AdjustFrameForDpi(RECT& frame, DWORD style, DWORD extendedStyle, UINT dpi);

// Makes the window's client area width x height as its frame really is:
// a frame made with AdjustFrameForDpi is drawn at the DPI Windows has for
// the window, which differs while a move between monitors is under way.
void KeepClientSize(HWND window, int width, int height);
