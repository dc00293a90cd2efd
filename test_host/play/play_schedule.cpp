#include "test_host/play/play_schedule.h"

#include <algorithm>

namespace {

// Waits until dueMs, telling progress every ProgressEveryMs meanwhile;
// false when a stop was requested.
bool WaitTelling(TPlayClock& clock, TPlayTarget& target, int64_t start, int64_t dueMs, size_t rowsSent) {
  for (;;) {
    const int64_t nextMs = std::min(dueMs, clock.NowMs() + ProgressEveryMs);
    if (!clock.WaitUntil(nextMs)) return false;
    if (nextMs == dueMs) return true;
    target.Progress(rowsSent, clock.NowMs() - start);
  }
}

}  // namespace

TPlayResult PlayRows(const std::vector<TPlayRow>& rows, TPlayClock& clock, TPlayTarget& target) {
  const int64_t start = clock.NowMs();
  TPlayResult result;
  while (result.RowsSent < rows.size()) {
    const int32_t time = rows[result.RowsSent].TimeMs;
    if (!WaitTelling(clock, target, start, start + time, result.RowsSent)) {
      result.Stopped = true;
      break;
    }
    const size_t first = result.RowsSent;
    const int64_t begunMs = clock.NowMs();
    if (begunMs - (start + time) > LateToleranceMs) {
      ++result.UpdatesBehind;
      result.MostBehindMs = std::max(result.MostBehindMs, begunMs - (start + time));
    }
    ++result.Updates;
    while (result.RowsSent < rows.size() && rows[result.RowsSent].TimeMs == time) {
      const int64_t lateMs = clock.NowMs() - (start + time);
      if (lateMs > LateToleranceMs) {
        ++result.RowsLate;
        if (lateMs > result.MostLateMs) result.MostLateMs = lateMs;
      }
      target.Send(rows[result.RowsSent++]);
    }
    result.SendingMs += clock.NowMs() - begunMs;
    result.MostRowsInUpdate = std::max(result.MostRowsInUpdate, result.RowsSent - first);
    target.Progress(result.RowsSent, clock.NowMs() - start);
  }
  result.ElapsedMs = clock.NowMs() - start;
  return result;
}
