#include "common/common.h"

#include <cstring>

#include "common/sample_sum.h"

int32_t AverageSamples(const uint16_t* samples, int32_t first, int32_t last) {
  if (last < first) return 0;
  const uint32_t count = static_cast<uint32_t>(last - first) + 1;
  const uint32_t sum = SumSamples(samples + (first - 1), count);
  // Exact integer form of round-half-to-even(sum / count).
  const uint32_t quotient = sum / count;
  const uint32_t twiceRemainder = 2 * (sum % count);
  const bool up = twiceRemainder > count || (twiceRemainder == count && (quotient & 1));
  return static_cast<int32_t>(quotient + up);
}

std::string_view CutFirstField(std::string_view& text, char separator) {
  const size_t p = text.find(separator);
  if (p == std::string_view::npos) {
    const std::string_view field = text;
    text = std::string_view();
    return field;
  }
  const std::string_view field(text.data(), p);
  text = std::string_view(text.data() + p + 1, text.size() - p - 1);
  return field;
}

int32_t TextToBuffer(std::string_view text, char* buffer, uint32_t size) {
  if (buffer == nullptr) return 0;
  const size_t n = text.size() < size ? text.size() : size;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int32_t>(n);
}
