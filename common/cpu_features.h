// What the x86 CPU offers beyond the 80386 with an x87 unit, asked with
// CPUID on the first call rather than at load time (the module does no work
// of its own when it is loaded). On x86-64 both are always there.
#pragma once

#if defined(__i386__) || defined(__x86_64__)
bool CpuHasSse();   // MXCSR and the SSE instructions
bool CpuHasSse2();
#endif
