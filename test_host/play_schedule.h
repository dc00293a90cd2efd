// Sends play rows at their times: each row once its time_ms has passed
// since the start, rows of one time back to back, until the last row or
// until the clock reports a stop request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "test_host/play_file.h"

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
  // After each group of rows of one time: rows sent so far, ms since start.
  virtual void Progress(size_t rowsSent, int64_t elapsedMs) = 0;

 protected:
  ~TPlayTarget() = default;
};

struct TPlayResult {
  size_t RowsSent;
  bool Stopped;  // a stop request ended play early
  int64_t ElapsedMs;
};

TPlayResult PlayRows(const std::vector<TPlayRow>& rows, TPlayClock& clock, TPlayTarget& target);
