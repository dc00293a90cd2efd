// What the x86 CPU offers beyond the 80386 with an x87 unit, asked with
// CPUID on the first call rather than at load time (the module does no work
// of its own when it is loaded). On x86-64 both are always there. Inline,
// since every output call asks for SSE2.
#pragma once

#if defined(__i386__)
#include <cpuid.h>

// CPUID function 1's EDX once read; CpuFeatures reads it on first use.
extern unsigned CpuFeatureBits;
extern bool CpuFeaturesRead;
unsigned ReadCpuFeatures();

inline unsigned CpuFeatures() { return CpuFeaturesRead ? CpuFeatureBits : ReadCpuFeatures(); }
inline bool CpuHasSse() { return (CpuFeatures() & bit_SSE) != 0; }  // MXCSR and the SSE instructions
inline bool CpuHasSse2() { return (CpuFeatures() & bit_SSE2) != 0; }

#elif defined(__x86_64__)

inline bool CpuHasSse() { return true; }
inline bool CpuHasSse2() { return true; }

#endif
