// TextToBuffer with any text and any size, into a buffer of exactly
// min(size, length) + 1 bytes followed by guard bytes: the prefix and a NUL
// are written, the guard is untouched (ASan watches beyond it), and the
// result is the number of characters copied.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/common.h"

namespace {

constexpr size_t GuardSize = 64;
constexpr unsigned char GuardByte = 0xA5;

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const uint32_t limit = input.ConsumeIntegral<uint32_t>();
  const std::string text = input.ConsumeRemainingBytesAsString();

  const size_t copied = text.size() < limit ? text.size() : limit;
  const size_t total = copied + 1 + GuardSize;
  auto* buffer = static_cast<unsigned char*>(std::malloc(total));
  std::memset(buffer, GuardByte, total);

  const int32_t result = TextToBuffer(text, reinterpret_cast<char*>(buffer), limit);
  Require(result >= 0 && static_cast<size_t>(result) == copied);
  Require(std::memcmp(buffer, text.data(), copied) == 0 && buffer[copied] == '\0');
  for (size_t i = copied + 1; i < total; ++i) Require(buffer[i] == GuardByte);
  std::free(buffer);

  Require(TextToBuffer(text, nullptr, limit) == 0);
  return 0;
}
