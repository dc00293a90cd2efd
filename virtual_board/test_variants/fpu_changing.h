// The floating-point state that the test-only fpu-changing board sets when
// it is attached and detached; all exceptions stay masked.
#pragma once

#include <cstdint>

inline constexpr uint16_t AttachControlWord = 0x027F;  // 53-bit precision
inline constexpr uint32_t AttachMxcsr = 0x1F80;
inline constexpr uint16_t DetachControlWord = 0x0F7F;  // round toward zero
inline constexpr uint32_t DetachMxcsr = 0x9FC0;        // flush to zero, denormals are zero
