// Reading and setting the x87 control word and MXCSR directly, for tests of
// the floating-point state (native x86 and 32-bit Windows alike).
#pragma once

#include <cstdint>

inline uint16_t ControlWord() {
  uint16_t word;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

inline void SetControlWord(uint16_t word) { asm volatile("fnclex\n\tfldcw %0" : : "m"(word)); }

// The status word: exception flags in bits 0 ... 5, bit 7 set while an
// unmasked one is pending.
inline constexpr uint16_t ExceptionFlags = 0x00BF;
inline uint16_t StatusWord() {
  uint16_t word;
  asm volatile("fnstsw %0" : "=m"(word));
  return word;
}

// Divides 1 by 0 under a control word that unmasks the zero divide (a
// Delphi host's 0x1332 does): the x87 raises such an exception only at the
// next floating-point instruction that waits, and none follows here, so it
// is left pending, with a value on the register stack that the divide did
// not replace.
inline constexpr uint16_t ZeroDivideUnmasked = 0x1332;
inline void LeaveZeroDividePending() {
  const uint16_t word = ZeroDivideUnmasked;
  const float zero = 0;
  asm volatile("fnclex\n\tfldcw %0\n\tfld1\n\tfdivs %1" : : "m"(word), "m"(zero));
}

inline uint32_t Mxcsr() {
  uint32_t value;
  asm volatile("stmxcsr %0" : "=m"(value));
  return value;
}

inline void SetMxcsr(uint32_t value) { asm volatile("ldmxcsr %0" : : "m"(value)); }
