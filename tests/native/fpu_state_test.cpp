// The floating-point state comes back as it was saved, whatever code in
// between changed: the x87 control word and MXCSR, and an exception left
// pending is dropped, not raised.
#include "common/fpu_state.h"

#include <gtest/gtest.h>

#include <cstring>

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

// Without fnclex the restore itself raises the zero divide (SIGFPE here).
TEST(FpuState, RestoreDropsAnExceptionLeftPending) {
  const TFpuState saved = SaveFpuState();
  LeaveZeroDividePending();
  const uint16_t pending = StatusWord();
  RestoreFpuState(saved);
  const uint16_t status = StatusWord();
  const uint16_t word = ControlWord();
  // valgrind's x87 keeps no exception flags.
  if ((pending & 0x0084) != 0x0084) GTEST_SKIP() << "the x87 here leaves no exception pending";
  EXPECT_EQ(status & ExceptionFlags, 0);
  const TFpuState again = SaveFpuState();
  EXPECT_EQ(word, *reinterpret_cast<const uint16_t*>(saved.X87Environment)) << "the saved control word";
  EXPECT_EQ(std::memcmp(again.X87Environment, saved.X87Environment, 12), 0)
      << "control, status and tag words as saved";
}

#endif

}  // namespace
