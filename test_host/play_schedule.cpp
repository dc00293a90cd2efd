#include "test_host/play_schedule.h"

TPlayResult PlayRows(const std::vector<TPlayRow>& rows, TPlayClock& clock, TPlayTarget& target) {
  const int64_t start = clock.NowMs();
  TPlayResult result{0, false, 0};
  while (result.RowsSent < rows.size()) {
    const int32_t time = rows[result.RowsSent].TimeMs;
    if (!clock.WaitUntil(start + time)) {
      result.Stopped = true;
      break;
    }
    while (result.RowsSent < rows.size() && rows[result.RowsSent].TimeMs == time) target.Send(rows[result.RowsSent++]);
    target.Progress(result.RowsSent, clock.NowMs() - start);
  }
  result.ElapsedMs = clock.NowMs() - start;
  return result;
}
