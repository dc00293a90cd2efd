#include "common/fpu_state.h"

#if defined(__i386__)
#include <cpuid.h>
#endif

namespace {

#if defined(__i386__)
// Checked on the first use, not at load time: 0 unknown, 1 yes, 2 no.
int SseState;

bool HasSse() {
  if (SseState == 0) {
    unsigned a, b, c, d;
    SseState = __get_cpuid(1, &a, &b, &c, &d) && (d & bit_SSE) ? 1 : 2;
  }
  return SseState == 1;
}
#elif defined(__x86_64__)
bool HasSse() { return true; }
#endif

}  // namespace

#if defined(__i386__) || defined(__x86_64__)

TFpuState SaveFpuState() {
  TFpuState state{};
  // fnstenv masks every x87 exception after storing; fldenv puts the
  // stored environment straight back.
  asm volatile("fnstenv %0\n\tfldenv %0" : "=m"(state.X87Environment));
  state.HasMxcsr = HasSse();
  if (state.HasMxcsr) asm volatile("stmxcsr %0" : "=m"(state.Mxcsr));
  return state;
}

void RestoreFpuState(const TFpuState& state) {
  asm volatile("fldenv %0" : : "m"(state.X87Environment));
  if (state.HasMxcsr) asm volatile("ldmxcsr %0" : : "m"(state.Mxcsr));
}

#else

TFpuState SaveFpuState() { return TFpuState{}; }
void RestoreFpuState(const TFpuState&) {}

#endif
