// The calling thread's floating-point state: the x87 environment (control
// word with precision, rounding and exception masks; status word with its
// exception flags) and, where the CPU has SSE, MXCSR. Code of another's
// that runs on a host's thread (a library's start-up and clean-up) may
// change it; the host expects its own back.
#pragma once

#include <cstdint>

struct TFpuState {
  uint8_t X87Environment[28];  // as fnstenv stores it in 32-bit mode
  uint32_t Mxcsr;
  bool HasMxcsr;
};

TFpuState SaveFpuState();
// Saves the state, leaving every x87 exception masked until RestoreFpuState,
// so that code run meanwhile cannot raise one that is pending.
TFpuState SetFpuStateAside();
void RestoreFpuState(const TFpuState& state);
