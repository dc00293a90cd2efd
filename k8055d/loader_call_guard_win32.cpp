#include "k8055d/loader_call_guard_win32.h"

TLoaderCallGuard::TLoaderCallGuard() : Fpu_(SaveFpuState()) {}

TLoaderCallGuard::~TLoaderCallGuard() {
  // The error mode goes back after this body, with the member.
  RestoreFpuState(Fpu_);
}
