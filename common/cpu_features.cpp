#include "common/cpu_features.h"

#if defined(__i386__)

unsigned CpuFeatureBits;
bool CpuFeaturesRead;

unsigned ReadCpuFeatures() {
  unsigned a, b, c, d;
  CpuFeatureBits = __get_cpuid(1, &a, &b, &c, &d) ? d : 0;
  CpuFeaturesRead = true;
  return CpuFeatureBits;
}

#endif
