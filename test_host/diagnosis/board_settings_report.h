// What info and --version say about the virtual board's settings: which
// card addresses answer (or which library the calls go on to), whether
// boards get windows and where calls are recorded, each with where it was
// set, and every setting that could not be read.
#pragma once

#include <string>

#include "virtual_board/board_settings.h"

// Lines each starting with linePrefix, e.g.
//   virtual board: card addresses 0 and 1 answer (k8055d.ini)
//                  a window for each open board (VIRTUAL_K8055_WINDOW)
//                  no call record
//   (with forward set, the first line is "virtual board: calls go on to PATH
//   (k8055d.ini), the boards answer")
//   virtual board problem: k8055d.ini line 7: window "yes" is not 0 ...
std::string DescribeBoardSettings(const TBoardSettings& settings, const std::string& linePrefix);
