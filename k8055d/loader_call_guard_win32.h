// For the span of a LoadLibrary or FreeLibrary call on the host's thread:
// no system error box (a broken or mismatched library can make the loader
// show a modal one, as the host's error mode decides), and the host's
// floating-point state back afterwards (the library's start-up and clean-up
// code may change the x87 control word and MXCSR). The thread's error mode
// is put back as it was.
#pragma once

#include <windows.h>

#include "common/fpu_state.h"

class TLoaderCallGuard {
 public:
  TLoaderCallGuard();
  ~TLoaderCallGuard();
  TLoaderCallGuard(const TLoaderCallGuard&) = delete;
  TLoaderCallGuard& operator=(const TLoaderCallGuard&) = delete;

 private:
  using TSetThreadErrorMode = BOOL(WINAPI*)(DWORD mode, DWORD* oldMode);

  TFpuState Fpu_;
  // Windows 7 and later; null before, when the mode is the process's.
  TSetThreadErrorMode SetThreadErrorMode_;
  DWORD ErrorMode_ = 0;  // the mode to put back
};
