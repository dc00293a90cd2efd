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

inline uint32_t Mxcsr() {
  uint32_t value;
  asm volatile("stmxcsr %0" : "=m"(value));
  return value;
}

inline void SetMxcsr(uint32_t value) { asm volatile("ldmxcsr %0" : : "m"(value)); }
