// Ctrl+C, Ctrl+Break, closing the console, logging off and shutting down
// become a stop request that play, identify and panel honour, so that they
// end cleanly and call finish instead of the process ending on the spot.
//
// When the console is closed, Windows ends the process as soon as the
// console handler returns; so for that event the handler waits, at most a
// few seconds, until the main thread reports with StopDone that it has
// called finish. A program that uses user32, as the test host does, learns
// of logoff and shutdown not through the console handler but through
// WM_QUERYENDSESSION and WM_ENDSESSION to its top-level windows: a hidden
// window on a thread of its own takes them and waits in the same way.
#pragma once

#include <windows.h>

// Starts listening for a stop request, at the first call: installs the
// console handler and the hidden window. Returns the event that is
// signalled once a stop is requested.
HANDLE ListenForStop();

// Tells a waiting handler that the command has ended and called finish.
void StopDone();
