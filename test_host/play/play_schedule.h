// Sends play rows at their times: each row once its time_ms has passed
// since the start, rows of one time back to back, until the last row or
// until the clock reports a stop request. A row sent more than
// LateToleranceMs after its time counts as late.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "test_host/play/play_file.h"

class TPlayClock {
 public:
  virtual int64_t NowMs() = 0;
  // Waits until NowMs() reaches ms; false when a stop was requested.
  virtual bool WaitUntil(int64_t ms) = 0;

 protected:
  ~TPlayClock() = default;
};

class TPlayTarget {
 public:
  virtual void Send(const TPlayRow& row) = 0;
  // After each group of rows of one time, and every ProgressEveryMs while
  // waiting for the next: rows sent so far, ms since start.
  virtual void Progress(size_t rowsSent, int64_t elapsedMs) = 0;

 protected:
  ~TPlayTarget() = default;
};

// A system timer may wake a wait up to about 16 ms late; that is on time.
inline constexpr int64_t LateToleranceMs = 20;

// Even so late, progress is told more than four times a second.
inline constexpr int64_t ProgressEveryMs = 200;

// An update is the rows of one time, sent back to back: on a board that
// takes its time for each command, the last of them goes out later than
// the first, and that alone is no falling behind. An update whose first
// row goes out more than LateToleranceMs after its time is behind the
// schedule: the updates before it took longer than the time between them.
struct TPlayResult {
  size_t RowsSent = 0;
  bool Stopped = false;  // a stop request ended play early
  int64_t ElapsedMs = 0;
  size_t RowsLate = 0;   // sent more than LateToleranceMs after their time
  int64_t MostLateMs = 0;
  size_t Updates = 0;        // begun
  size_t UpdatesBehind = 0;  // whose first row was sent more than LateToleranceMs after its time
  int64_t MostBehindMs = 0;  // of such a first row
  int64_t SendingMs = 0;     // from each update's first row sent to its last one's return, all added up
  size_t MostRowsInUpdate = 0;
};

TPlayResult PlayRows(const std::vector<TPlayRow>& rows, TPlayClock& clock, TPlayTarget& target);
