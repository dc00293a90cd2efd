#include "common/cpu_features.h"

#if defined(__i386__)
#include <cpuid.h>

namespace {

// CPUID function 1's EDX, read on the first call; 0 until then.
unsigned FeatureBits;
bool FeaturesRead;

unsigned Features() {
  if (!FeaturesRead) {
    unsigned a, b, c, d;
    FeatureBits = __get_cpuid(1, &a, &b, &c, &d) ? d : 0;
    FeaturesRead = true;
  }
  return FeatureBits;
}

}  // namespace

bool CpuHasSse() { return (Features() & bit_SSE) != 0; }
bool CpuHasSse2() { return (Features() & bit_SSE2) != 0; }

#elif defined(__x86_64__)

bool CpuHasSse() { return true; }
bool CpuHasSse2() { return true; }

#endif
