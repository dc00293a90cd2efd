// The virtual board's live window: when the settings ask for windows
// (board_settings.h), each open board gets a small window with its card
// address, eight output lamps and its two analog levels as the board itself
// has them, redrawn as calls change them. Any setting that could not be
// read is named in its title and, since a title this narrow shows little
// of it, below the card address in the window, in a warning's colour. A
// virtual board's window has a button that pulls the board out and plugs
// it back in (board_plugs_win32.h), and says below the levels what that
// did: a board that is out has its outputs off, and one that the library
// dropped gets nothing until it is opened again.
//
// The windows run on a thread of their own, started on first need, since
// the host's thread may never pump messages. That thread holds a reference
// on this DLL, so a FreeLibrary while windows are open cannot unload the
// code they run; once the last board is closed it removes its windows and
// ends on its own, no call of the host's waiting for it (removing a window
// may take the window system seconds), releasing the DLL with
// FreeLibraryAndExitThread. Nothing runs at
// load or unload time.
#pragma once

#include <cstdint>

#include "virtual_board/board_model.h"

// What a window shows of its board.
struct TBoardView {
  TBoardOutputs Outputs;  // the board's own
  bool Dropped;           // by the library
  bool ConnectionLost;    // unplugged since it was opened: its next transfer fails
};

// Calls on the host's side, one at a time, as the vendor library's are.
// problems: what the settings could not read (a line each), shown in the
// title and in the window. pluggable: a virtual board, which the user can
// pull out; a real board's (forwarded) cannot.
void ShowBoardWindow(int32_t address, const char* problems, bool pluggable);
void UpdateBoardWindow(int32_t address, const TBoardView& view);
void CloseBoardWindow(int32_t address);
