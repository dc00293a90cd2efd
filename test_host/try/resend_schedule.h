// When the rounds of a steady resend fall due: rate rounds a second, round
// k at start + k / rate, the first at the start. A round may be taken a
// little late without shifting the rounds after it; one taken more than
// 50 ms late restarts the schedule from then, so a loop that stalled (or
// a board slower than the rate) never gets a burst of rounds to make up.
#pragma once

#include <cstdint>

class TResendSchedule {
 public:
  TResendSchedule(int32_t perSecond, int64_t startUs);
  // Whether a round is due at nowUs; if so it counts as taken.
  bool TakeDue(int64_t nowUs);
  // Microseconds from nowUs until the next round is due; 0 when it is.
  int64_t UsUntilDue(int64_t nowUs) const;

 private:
  int64_t DueUs(int64_t round) const { return StartUs_ + round * 1000000 / PerSecond_; }

  int32_t PerSecond_;
  int64_t StartUs_;
  int64_t Round_ = 0;  // the next round to take
};
