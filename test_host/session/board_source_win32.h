// What the k8055d.dll in use is, for the reasons a card has no board
// (board_absence.h): the vendor's library, or the virtual board with its
// settings as it reads them, and, where it forwards, whether it refuses
// that library (the board's own check, forward_report_win32.h). Read from
// files and settings alone: nothing is called in the library.
#pragma once

#include "test_host/session/board_absence.h"

// For the k8055d.dll this process has loaded.
TBoardSource ReadBoardSource();
