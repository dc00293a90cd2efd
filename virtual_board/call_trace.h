// The virtual board's call record: when the settings name a file (record in
// k8055d.ini, or VIRTUAL_K8055_TRACE), every call is appended to it as one
// line: the time in milliseconds since the board library was loaded, the
// entry point's name and its arguments in decimal
// ("12.345 OutputAnalogChannel 1 128"), what the call gave, and whether
// its transfer failed (TLibraryAnswer), and last "@PID", the process's id, so that
// the lines of two processes recording into one file stay apart. The first
// line of a load (and of a file named anew) is
// "# session YYYY-MM-DD HH:MM:SS.mmm @PID", the local time at which the
// library was loaded.
//
// Each line is in the file when the call returns, so a reader may follow
// the record while the board is in use. The file stays open while a board
// is open, so that a host streaming values pays one write per call rather
// than an open and a close; it is closed whenever no board is open, so an
// unloaded board leaves no handle behind. The times come from the
// performance counter, which never goes back.
#pragma once

#include <cstdint>

#include "virtual_board/board_settings.h"
#include "virtual_board/library_answer.h"

// Makes settings.Record the file that calls go to (none when it is empty),
// keeping it open when it is open already. When it cannot be opened, says
// so in settings.Problems, and calls are not recorded.
void UseCallRecord(TBoardSettings& settings);

// The time of a call, in microseconds since the library was loaded: read
// as the call arrives.
int64_t CallTime();

// Appends one line for the call that arrived at time (no earlier than the
// line before, for calls of two threads that end in another order than
// they arrived). Called with the board's lock held. anyBoardOpen:
// whether a board is open once the call has taken effect. answer: for a
// forwarded call, what the library gave.
void TraceCall(int64_t time, bool anyBoardOpen, const char* name, int argc = 0, int32_t a = 0, int32_t b = 0,
               const TLibraryAnswer* answer = nullptr);
