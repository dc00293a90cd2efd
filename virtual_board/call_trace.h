// The virtual board's call record: when VIRTUAL_K8055_TRACE names a file,
// every call is appended to it as one line, the entry point's name and its
// arguments in decimal ("OutputAnalogChannel 1 128").
//
// Each line is in the file when the call returns, so a reader may follow
// the record while the board is in use. The file stays open while a board
// is open, so that a host streaming values pays one write per call rather
// than an open and a close; it is closed whenever no board is open, so an
// unloaded board leaves no handle behind. The variable is read at every
// call: naming another file switches to it.
#pragma once

#include <cstdint>

// Appends one line. anyBoardOpen: whether a board is open once the call has
// taken effect.
void TraceCall(bool anyBoardOpen, const char* name, int argc = 0, int32_t a = 0, int32_t b = 0);
