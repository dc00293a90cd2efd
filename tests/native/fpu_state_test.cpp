// The floating-point state comes back as it was saved, whatever code in
// between changed: the x87 control word and MXCSR, and an exception left
// pending is dropped, not raised; a state set aside comes back with its
// own exception still pending, none raised meanwhile.
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

// The virtual board's own work between a vendor's call and its caller: an
// exception the vendor left pending neither traps in that work (every x87
// exception masked meanwhile) nor goes: the caller gets it as without the
// board in between.
TEST(FpuState, AStateSetAsideKeepsItsPendingExceptionAndMasksItMeanwhile) {
  const uint16_t originalWord = ControlWord();
  LeaveZeroDividePending();
  const uint16_t pending = StatusWord();
  const TFpuState aside = SetFpuStateAside();
  EXPECT_EQ(ControlWord() & 0x003F, 0x003F) << "every exception masked meanwhile";
  volatile float value = 2;
  value = value * 3;  // waits: would raise the pending divide if unmasked
  RestoreFpuState(aside);
  const uint16_t word = ControlWord(), status = StatusWord();
  asm volatile("fnclex\n\tfstp %st(0)");  // the divide's value off the register stack, nothing pending
  SetControlWord(originalWord);
  if ((pending & 0x0084) != 0x0084) GTEST_SKIP() << "the x87 here leaves no exception pending";
  EXPECT_EQ(word & ~0x0040, ZeroDivideUnmasked) << "bit 6 is reserved";
  EXPECT_EQ(status & 0x0084, 0x0084) << "the zero divide pending again";
}

#endif

}  // namespace
