// While the object lives, the calling thread runs with no system error box
// for a failed disk access or open file (SEM_FAILCRITICALERRORS |
// SEM_NOOPENFILEERRORBOX, the bits the host has set kept): a probe of an
// empty removable drive ("There is no disk in the drive") or a load of a
// broken library would otherwise stop the host's thread in a modal box until
// someone answers it. The mode is the thread's where Windows has
// SetThreadErrorMode (Windows 7 and later), else the process's, and is put
// back exactly as it was.
#pragma once

#include <windows.h>

#include "windows/system_functions_win32.h"

class TQuietErrorMode {
 public:
  TQuietErrorMode();
  ~TQuietErrorMode();
  TQuietErrorMode(const TQuietErrorMode&) = delete;
  TQuietErrorMode& operator=(const TQuietErrorMode&) = delete;

 private:
  // Null where Windows lacks it, when the mode is the process's.
  TSystemFunctionType<TSystemFunction::SetThreadErrorMode>::Pointer SetThreadErrorMode_;
  DWORD ErrorMode_ = 0;  // the mode to put back
};
