#include "test_host/console/double_click_start_win32.h"

#include <windows.h>

#include "test_host/console/exit_status_win32.h"

bool StartedByDoubleClick(bool noArguments) {
  if (!noArguments) return false;
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
