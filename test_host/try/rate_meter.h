// The rate of a running count (try's action calls) over about the last
// second, from readings of the count taken now and then.
#pragma once

#include <cstdint>
#include <deque>

class TRateMeter {
 public:
  // A reading: count at nowMs; times do not decrease.
  void Read(int64_t nowMs, uint64_t count);
  // The count's growth per second, in tenths, between the newest reading
  // and the newest one at least a second older (or the oldest); 0 until
  // two readings lie apart.
  int64_t TenthsPerSecond() const;

 private:
  struct TReading {
    int64_t Ms;
    uint64_t Count;
  };
  std::deque<TReading> Readings_;
};
