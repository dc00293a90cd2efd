#include "test_host/session/card_player_win32.h"

#include <windows.h>

#include "test_host/play/board_patterns.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/play/play_report.h"
#include "test_host/console/stop_request_win32.h"

namespace {

class TWindowsClock : public TPlayClock {
 public:
  TWindowsClock() : Stop_(ListenForStop()) { QueryPerformanceFrequency(&Frequency_); }
  int64_t NowMs() override {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000 / Frequency_.QuadPart;
  }
  bool WaitUntil(int64_t ms) override {
    for (int64_t now = NowMs(); now < ms; now = NowMs())
      if (WaitForSingleObject(Stop_, static_cast<DWORD>(ms - now)) == WAIT_OBJECT_0) return false;
    return WaitForSingleObject(Stop_, 0) != WAIT_OBJECT_0;
  }

 private:
  HANDLE Stop_;
  LARGE_INTEGER Frequency_;
};

// Sends each row to its card and counts the rows that reached no board;
// shows a progress line when asked and stderr is a console.
class TCardTarget : public TPlayTarget {
 public:
  TCardTarget(TCardOutputs& outputs, size_t rowCount, int64_t lengthMs, bool showProgress)
      : Outputs_(outputs), RowCount_(rowCount), LengthMs_(lengthMs) {
    DWORD mode;
    Console_ = showProgress && GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
  }
  ~TCardTarget() {
    if (Shown_) WriteErr("\n");
  }
  void Send(const TPlayRow& row) override {
    if (!Outputs_.Send(row)) ++NotDelivered;
  }
  void Progress(size_t rowsSent, int64_t elapsedMs) override {
    if (!Console_ || (elapsedMs - ShownAtMs_ < 100 && rowsSent < RowCount_ && Shown_)) return;
    WriteErr("\rplay: " + Seconds(elapsedMs) + " of " + Seconds(LengthMs_) + ", row " + std::to_string(rowsSent) +
             " of " + std::to_string(RowCount_) + " ");
    Shown_ = true;
    ShownAtMs_ = elapsedMs;
  }
  size_t NotDelivered = 0;

 private:
  TCardOutputs& Outputs_;
  size_t RowCount_;
  int64_t LengthMs_;
  bool Console_;
  bool Shown_ = false;
  int64_t ShownAtMs_ = 0;
};

}  // namespace

TPlayOutcome PlayToCards(const std::vector<TPlayRow>& rows, TCardOutputs& outputs, bool showProgress) {
  TWindowsClock clock;
  TCardTarget target(outputs, rows.size(), rows.empty() ? 0 : rows.back().TimeMs, showProgress);
  TPlayOutcome outcome;
  outcome.Result = PlayRows(rows, clock, target);
  outcome.RowsNotDelivered = target.NotDelivered;
  return outcome;
}

size_t SwitchAllOff(TCardOutputs& outputs, const std::vector<int32_t>& cards) {
  size_t notDelivered = 0;
  for (const int32_t card : cards)
    for (const TPlayRow& row : AllOutputsRows(card, 0, 0))
      if (!outputs.Send(row)) ++notDelivered;
  return notDelivered;
}
