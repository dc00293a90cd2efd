#include "test_host/try/resend_schedule.h"

namespace {

constexpr int64_t MaxLateUs = 50000;

}  // namespace

TResendSchedule::TResendSchedule(int32_t perSecond, int64_t startUs) : PerSecond_(perSecond), StartUs_(startUs) {}

bool TResendSchedule::TakeDue(int64_t nowUs) {
  if (nowUs < DueUs(Round_)) return false;
  if (nowUs - DueUs(Round_) > MaxLateUs) {
    StartUs_ = nowUs;
    Round_ = 0;
  }
  ++Round_;
  return true;
}

int64_t TResendSchedule::UsUntilDue(int64_t nowUs) const {
  const int64_t due = DueUs(Round_);
  return due > nowUs ? due - nowUs : 0;
}
