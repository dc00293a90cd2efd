#include "common/sample_sum.h"

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>

#include "common/cpu_features.h"
#endif

namespace {

uint32_t SumScalar(const uint16_t* samples, uint32_t count) {
  uint32_t sum = 0;
  for (uint32_t i = 0; i < count; ++i) sum += samples[i];
  return sum;
}

#if defined(__i386__) || defined(__x86_64__)

// Eight samples at a time: flipping the top bit makes each sample a signed
// 16-bit value (sample - 32768) that pmaddwd adds pairwise into 32 bits; the
// offset is put back at the end. The stack is realigned because 32-bit
// Windows callers keep it only 4-byte aligned.
__attribute__((target("sse2"), force_align_arg_pointer)) uint32_t SumSse2(const uint16_t* samples, uint32_t count) {
  const __m128i flip = _mm_set1_epi16(static_cast<short>(0x8000));
  const __m128i ones = _mm_set1_epi16(1);
  __m128i total0 = _mm_setzero_si128();
  __m128i total1 = _mm_setzero_si128();
  const uint32_t blocks = count / 16;
  const __m128i* p = reinterpret_cast<const __m128i*>(samples);
  for (uint32_t i = 0; i < blocks; ++i, p += 2) {
    const __m128i a = _mm_xor_si128(_mm_loadu_si128(p), flip);
    const __m128i b = _mm_xor_si128(_mm_loadu_si128(p + 1), flip);
    total0 = _mm_add_epi32(total0, _mm_madd_epi16(a, ones));
    total1 = _mm_add_epi32(total1, _mm_madd_epi16(b, ones));
  }
  __m128i total = _mm_add_epi32(total0, total1);
  total = _mm_add_epi32(total, _mm_shuffle_epi32(total, _MM_SHUFFLE(1, 0, 3, 2)));
  total = _mm_add_epi32(total, _mm_shuffle_epi32(total, _MM_SHUFFLE(2, 3, 0, 1)));
  const uint32_t vectorSum = static_cast<uint32_t>(_mm_cvtsi128_si32(total)) + blocks * 16 * 32768u;
  return vectorSum + SumScalar(samples + blocks * 16, count - blocks * 16);
}

#endif

}  // namespace

uint32_t SumSamples(const uint16_t* samples, uint32_t count) {
#if defined(__x86_64__)
  return SumSse2(samples, count);
#elif defined(__i386__)
  return CpuHasSse2() ? SumSse2(samples, count) : SumScalar(samples, count);
#else
  return SumScalar(samples, count);
#endif
}
