// Ctrl+C, Ctrl+Break or closing the console becomes a stop request that
// play and panel honour, so they end cleanly and call finish, instead of
// the process ending on the spot.
#pragma once

#include <windows.h>

// An event, signalled once a stop is requested. The first call installs
// the console handler.
HANDLE StopRequest();
