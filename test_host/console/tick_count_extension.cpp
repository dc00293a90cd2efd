#include "test_host/console/tick_count_extension.h"

uint64_t TTickCountExtension::Extend(uint32_t tick) {
  uint64_t last = Last_.load();
  for (;;) {
    uint64_t next = tick;
    if (last != NoReading) {
      const uint32_t ahead = tick - static_cast<uint32_t>(last);  // modulo 2^32, so across a wrap too
      if (ahead >= 0x80000000u) return last;
      next = last + ahead;
    }
    if (Last_.compare_exchange_weak(last, next)) return next;
  }
}
