// For the span of a LoadLibrary or FreeLibrary call on the host's thread:
// no system error box (TQuietErrorMode: a broken or mismatched library can
// make the loader show a modal one, as the host's error mode decides), and
// the host's floating-point state back afterwards (the library's start-up
// and clean-up code may change the x87 control word and MXCSR).
#pragma once

#include <windows.h>

#include "common/fpu_state.h"
#include "k8055d/quiet_error_mode_win32.h"

// Not copied: its error mode member cannot be.
class TLoaderCallGuard {
 public:
  TLoaderCallGuard();
  ~TLoaderCallGuard();

 private:
  TFpuState Fpu_;
  TQuietErrorMode ErrorMode_;
};
