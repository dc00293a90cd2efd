#include "test_host/try/rate_meter.h"

namespace {

constexpr int64_t SpanMs = 1000;

}  // namespace

void TRateMeter::Read(int64_t nowMs, uint64_t count) {
  Readings_.push_back({nowMs, count});
  while (Readings_.size() > 2 && Readings_[1].Ms <= nowMs - SpanMs) Readings_.pop_front();
}

int64_t TRateMeter::TenthsPerSecond() const {
  if (Readings_.size() < 2) return 0;
  const TReading& oldest = Readings_.front();
  const TReading& newest = Readings_.back();
  const int64_t ms = newest.Ms - oldest.Ms;
  if (ms <= 0) return 0;
  const int64_t grown = static_cast<int64_t>(newest.Count - oldest.Count);
  return (grown * 10000 + ms / 2) / ms;
}
