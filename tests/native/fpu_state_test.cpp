// The floating-point state comes back as it was saved, whatever code in
// between changed: the x87 control word and MXCSR.
#include "common/fpu_state.h"

#include <gtest/gtest.h>

#if defined(__i386__) || defined(__x86_64__)
#include "tests/shared/fpu_registers.h"
#endif

namespace {

#if defined(__i386__) || defined(__x86_64__)

// Every exception stays masked, so that nothing traps in the test process.
TEST(FpuState, RestoreGivesBackTheControlWordAndMxcsr) {
  const uint16_t originalWord = ControlWord();
  const uint32_t originalMxcsr = Mxcsr();
  SetControlWord(0x0F7F);  // round toward zero
  SetMxcsr(0x7F80);        // round toward zero
  const TFpuState saved = SaveFpuState();
  EXPECT_EQ(ControlWord(), 0x0F7F) << "saving changes nothing";
  SetControlWord(0x037F);  // what a library's start-up might set
  SetMxcsr(0x9FC0);
  RestoreFpuState(saved);
  EXPECT_EQ(ControlWord(), 0x0F7F);
  EXPECT_EQ(Mxcsr(), 0x7F80u);
  SetControlWord(originalWord);
  SetMxcsr(originalMxcsr);
}

#endif

}  // namespace
