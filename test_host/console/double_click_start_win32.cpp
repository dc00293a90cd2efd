#include "test_host/console/double_click_start_win32.h"

#include <windows.h>

#include "test_host/console/exit_status_win32.h"

namespace {

// A handle of a console (GetConsoleMode fails on a file, a pipe or NUL).
bool IsConsole(DWORD standardHandle) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

}  // namespace

bool StartedByDoubleClick(bool noArguments) {
  // A scheduler or a script may give a console of its own with input or
  // output redirected: the help goes where it reads, not a window.
  if (!noArguments || !IsConsole(STD_INPUT_HANDLE) || !IsConsole(STD_OUTPUT_HANDLE)) return false;
  // Room for two: a shell sharing the console makes the count 2 or more
  // (with more than two the call stores none and returns how many); 0 is
  // no console at all.
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1;
}

void LeaveOwnConsole() {
  FreeConsole();
  // The handles went with the console; a later handle of the process may
  // come to carry one of their values, so nothing must be written to them.
  SetStdHandle(STD_INPUT_HANDLE, nullptr);
  SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
  SetStdHandle(STD_ERROR_HANDLE, nullptr);
  WarnInMessageBoxes();
}
