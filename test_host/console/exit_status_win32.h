// The test host's exit status, and its one-line error report.
#pragma once

#include <string>

inline constexpr int ExitDone = 0;
inline constexpr int ExitUnusable = 1;    // the module or k8055d.dll cannot be used
inline constexpr int ExitBadInput = 2;    // bad command line or input file
inline constexpr int ExitNotReached = 3;  // a card does not answer: nothing, or not every row, reached a board
inline constexpr int ExitNoDisplay = 4;   // no window can be made
inline constexpr int ExitStopped = 130;   // stopped by Ctrl+C or by closing the console

// Prints "tarnwell_host: message" on stderr, or shows it in a message box
// once WarnInMessageBoxes was called.
void Warn(const std::string& message);

// For a test host without a console (started by a double-click).
void WarnInMessageBoxes();

// Warns and returns status.
int Fail(int status, const std::string& message);
