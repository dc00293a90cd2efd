// A double-click in Explorer starts the test host without arguments in a
// console of its own, which a command prompt never gives it: the user
// expects a window then, not a console that flashes and closes.
#pragma once

// No arguments given, and this process alone on its console (Explorer,
// a shortcut or the Run box made the console for it), standard input and
// output that console's. A console shared with a shell, input or output
// redirected, no console: false.
bool StartedByDoubleClick(bool noArguments);

// Closes the console that came with the double-click: the user works in
// windows from here on, and the test host's messages go to message boxes
// (exit_status_win32.h) instead.
void LeaveOwnConsole();
