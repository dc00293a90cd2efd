// The test host's exit status, and its one-line error report.
#pragma once

#include <string>

inline constexpr int ExitDone = 0;
inline constexpr int ExitUnusable = 1;  // the module or k8055d.dll cannot be used
inline constexpr int ExitBadInput = 2;  // bad command line or input file
inline constexpr int ExitStopped = 130; // stopped by Ctrl+C

// Prints "tarnwell_host: message" on stderr and returns status.
int Fail(int status, const std::string& message);
