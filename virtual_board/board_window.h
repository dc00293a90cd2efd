// The virtual board's live window: when the settings ask for windows
// (board_settings.h), each open board gets a small window with its card
// address, eight output lamps and its two analog levels, redrawn as calls
// change them. Any setting that could not be read is named in its title
// and, since a title this narrow shows little of it, below the card
// address in the window, in a warning's colour.
//
// The windows run on a thread of their own, started on first need, since
// the host's thread may never pump messages. That thread holds a reference
// on this DLL, so a FreeLibrary while windows are open cannot unload the
// code they run; once the last board is closed it removes its windows and
// ends, releasing the DLL with FreeLibraryAndExitThread. Nothing runs at
// load or unload time.
#pragma once

#include <cstdint>

// Calls on the host's side, one at a time, as the vendor library's are.
// problems: what the settings could not read (a line each), shown in the
// title and in the window.
void ShowBoardWindow(int32_t address, const char* problems);
void UpdateBoardWindow(int32_t address, uint8_t digital, int32_t analog1, int32_t analog2);
void CloseBoardWindow(int32_t address);
