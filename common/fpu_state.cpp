#include "common/fpu_state.h"

#include "common/cpu_features.h"

#if defined(__i386__) || defined(__x86_64__)

TFpuState SetFpuStateAside() {
  TFpuState state{};
  asm volatile("fnstenv %0" : "=m"(state.X87Environment));
  state.HasMxcsr = CpuHasSse();
  if (state.HasMxcsr) asm volatile("stmxcsr %0" : "=m"(state.Mxcsr));
  return state;
}

// fnstenv masks every x87 exception after storing; fldenv puts the stored
// environment straight back.
TFpuState SaveFpuState() {
  TFpuState state = SetFpuStateAside();
  asm volatile("fldenv %0" : : "m"(state.X87Environment));
  return state;
}

// fldenv, like every x87 instruction that waits, first raises an unmasked
// exception that is pending (one that code run meanwhile left, a zero divide
// under a control word that unmasks it): fnclex drops it, so the host gets
// exactly its own environment back, and nothing raised into it.
void RestoreFpuState(const TFpuState& state) {
  asm volatile("fnclex\n\tfldenv %0" : : "m"(state.X87Environment));
  if (state.HasMxcsr) asm volatile("ldmxcsr %0" : : "m"(state.Mxcsr));
}

#else

TFpuState SaveFpuState() { return TFpuState{}; }
TFpuState SetFpuStateAside() { return TFpuState{}; }
void RestoreFpuState(const TFpuState&) {}

#endif
