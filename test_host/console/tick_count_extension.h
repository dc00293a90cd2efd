// GetTickCount made 64 bits wide: GetTickCount counts milliseconds since the
// system started in 32 bits and wraps to 0 every 49.7 days. The test host's
// stand-in for GetTickCount64 uses it on Windows XP (tick_count_import_win32.cpp).
#pragma once

#include <atomic>
#include <cstdint>

class TTickCountExtension {
 public:
  // The 64-bit count for tick, a GetTickCount reading taken just before:
  // the first reading itself, then the last count plus the ticks since the
  // last reading, a wrap included. A reading behind the last one (another
  // thread read the tick earlier but came here later) gives the last count.
  // Any thread may call it; the count is right as long as calls are less
  // than 24.8 days (2^31 ms) apart.
  uint64_t Extend(uint32_t tick);

 private:
  static constexpr uint64_t NoReading = UINT64_MAX;
  std::atomic<uint64_t> Last_{NoReading};
};
