// What a call gave, which its line in the call record shows after the
// arguments: " = RESULT" for an entry point with a result, or " raised
// 0xCODE" for a forwarded call through which a structured exception
// passed, and " (N us)", the microseconds a forwarded call spent in the
// vendor's library ("12.345 ReadCounter 1 = 42 (950 us)"); last, for a
// call whose transfer to a virtual board failed, " failed: board N
// dropped" ("12.345 SetDigitalChannel 3 failed: board 0 dropped"). The
// virtual board writes it, the test host's timeline reads it back.
#pragma once

#include <cstdint>

inline constexpr char TransferFailedMark[] = "failed:";

struct TLibraryAnswer {
  bool HasResult = false;
  int32_t Result = 0;
  int64_t SpentUs = -1;  // -1: none (the library was not called, or the line gives no time)
  bool Raised = false;   // a structured exception passed through the call, which gave no result
  uint32_t ExceptionCode = 0;
  // The board whose transfer failed at this call (pulled out while the
  // library held it), which the library then dropped; -1: none.
  int32_t TransferFailed = -1;
};
