// What the vendor's library gave for a forwarded call, which its line in
// the call record shows after the arguments: " = RESULT" for an entry point
// with a result, and " (N us)", the microseconds the call spent in the
// library, when it was called ("12.345 ReadCounter 1 = 42 (950 us)"). The
// virtual board writes it, the test host's timeline reads it back.
#pragma once

#include <cstdint>

struct TLibraryAnswer {
  bool HasResult = false;
  int32_t Result = 0;
  int64_t SpentUs = -1;  // -1: none (the library was not called, or the line gives no time)
};
