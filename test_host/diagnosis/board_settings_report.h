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
//   virtual board problem: k8055d.ini line 7: window "yes" is not 0 ...
// With forward set, the first line names the library the calls go on to,
// or, when forwardRefused, that the board refuses it (settings.Problems
// then holds the reason), and the settings that make no difference then
// (boards, pace, unplug) are named as ignored.
std::string DescribeBoardSettings(const TBoardSettings& settings, bool forwardRefused, const std::string& linePrefix);

// Where a setting's value came from: "k8055d.ini", the variable's name, or
// "default".
std::string SettingOrigin(TSettingOrigin origin, const char* variable);

// The boards setting as written: "0,1", "none".
std::string BoardsSettingText(uint8_t boards);

// One board's unplug times as the setting writes them: "0@40-80".
std::string UnplugSettingText(int32_t address, const TUnplugTimes& times);
