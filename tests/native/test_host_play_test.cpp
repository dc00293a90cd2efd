// The test host's play schedule over a fake clock, and its card table.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_host/session/card_states.h"
#include "test_host/play/play_schedule.h"

namespace {

// A clock that jumps to each awaited time, or refuses at stopAtMs.
class TFakeClock : public TPlayClock {
 public:
  explicit TFakeClock(int64_t stopAtMs) : StopAtMs(stopAtMs) {}
  int64_t NowMs() override { return Now; }
  bool WaitUntil(int64_t ms) override {
    if (ms >= StopAtMs) return false;
    if (ms > Now) Now = ms;
    return true;
  }
  int64_t Now = 5000;  // play starts at an arbitrary time
  int64_t StopAtMs;
};

class TRecordingTarget : public TPlayTarget {
 public:
  explicit TRecordingTarget(TFakeClock& clock) : Clock(clock) {}
  void Send(const TPlayRow& row) override {
    Sent.push_back(std::to_string(Clock.Now - 5000) + ": line " + std::to_string(row.Line));
  }
  void Progress(size_t rowsSent, int64_t elapsedMs) override {
    Sent.push_back("progress " + std::to_string(rowsSent) + " at " + std::to_string(elapsedMs));
  }
  TFakeClock& Clock;
  std::vector<std::string> Sent;
};

const std::vector<TPlayRow> Rows = {{0, 1, 1, 1, 1}, {0, 2, 1, 1, 2}, {250, 1, 0, 1, 3}, {1000, 9, 99, 2, 4}};

TEST(TestHostPlaySchedule, RowsAtTheirTimesGroupedByTime) {
  TFakeClock clock(1 << 30);
  TRecordingTarget target(clock);
  const TPlayResult result = PlayRows(Rows, clock, target);
  EXPECT_EQ(result.RowsSent, 4u);
  EXPECT_FALSE(result.Stopped);
  EXPECT_EQ(result.ElapsedMs, 1000);
  const std::vector<std::string> expected = {
      "0: line 1",         "0: line 2",          "progress 2 at 0",   "progress 2 at 200",
      "250: line 3",       "progress 3 at 250",  "progress 3 at 450", "progress 3 at 650",
      "progress 3 at 850", "1000: line 4",       "progress 4 at 1000"};
  EXPECT_EQ(target.Sent, expected);
}

TEST(TestHostPlaySchedule, StopSendsNothingMore) {
  TFakeClock clock(5000 + 500);
  TRecordingTarget target(clock);
  const TPlayResult result = PlayRows(Rows, clock, target);
  EXPECT_TRUE(result.Stopped);
  EXPECT_EQ(result.RowsSent, 3u);
  EXPECT_EQ(target.Sent.back(), "progress 3 at 450");
}

TEST(TestHostPlaySchedule, ProgressMovesWhileWaitingForARowFarAhead) {
  // A clock whose waits wake 16 ms late, as a system timer may.
  class TLateClock : public TFakeClock {
   public:
    using TFakeClock::TFakeClock;
    bool WaitUntil(int64_t ms) override { return TFakeClock::WaitUntil(ms + 16); }
  };
  TLateClock clock(1 << 30);
  class TProgressTimes : public TPlayTarget {
   public:
    void Send(const TPlayRow&) override {}
    void Progress(size_t rowsSent, int64_t elapsedMs) override {
      Rows.push_back(rowsSent);
      Times.push_back(elapsedMs);
    }
    std::vector<size_t> Rows;
    std::vector<int64_t> Times;
  } target;
  PlayRows({{0, 1, 1, 1, 1}, {8000, 1, 0, 1, 2}}, clock, target);
  ASSERT_GE(target.Times.size(), 33u);
  for (size_t i = 1; i < target.Times.size(); ++i)
    EXPECT_LE(target.Times[i] - target.Times[i - 1], 250) << "more than four times a second, at " << target.Times[i];
  EXPECT_EQ(target.Times.back(), 8016);
  EXPECT_EQ(target.Rows.back(), 2u);
  EXPECT_EQ(std::count(target.Rows.begin(), target.Rows.end(), 1u), static_cast<long>(target.Rows.size() - 1));
}

TEST(TestHostPlaySchedule, SlowSendsMakeLaterRowsLate) {
  // Each send takes 8 ms: of five rows due at 0, the fourth starts 24 ms
  // late and the fifth 32 ms; a row due after them waits for nothing.
  class TSlowTarget : public TRecordingTarget {
   public:
    using TRecordingTarget::TRecordingTarget;
    void Send(const TPlayRow& row) override {
      TRecordingTarget::Send(row);
      Clock.Now += 8;
    }
  };
  TFakeClock clock(1 << 30);
  TSlowTarget target(clock);
  std::vector<TPlayRow> rows(5, TPlayRow{0, 1, 1, 1, 1});
  rows.push_back({20, 1, 0, 1, 6});  // sent at 40 ms: 20 ms late, within the tolerance
  rows.push_back({100, 1, 0, 1, 7});
  const TPlayResult result = PlayRows(rows, clock, target);
  EXPECT_EQ(result.RowsSent, 7u);
  EXPECT_EQ(result.RowsLate, 2u);
  EXPECT_EQ(result.MostLateMs, 32);
  EXPECT_EQ(result.UpdatesBehind, 0u) << "each update began on time; only its own rows made the last ones late";
  EXPECT_EQ(result.Updates, 3u);
  EXPECT_EQ(result.MostRowsInUpdate, 5u);
  EXPECT_EQ(result.SendingMs, 7 * 8) << "the time spent sending, not the waits between updates";
}

TEST(TestHostPlaySchedule, AnUpdateThatBeginsLateIsBehindTheSchedule) {
  // 10 rows of 8 ms each every 50 ms: each update takes 80 ms, so the
  // second begins 30 ms late and the third 60 ms.
  class TSlowTarget : public TRecordingTarget {
   public:
    using TRecordingTarget::TRecordingTarget;
    void Send(const TPlayRow&) override { Clock.Now += 8; }
  };
  TFakeClock clock(1 << 30);
  TSlowTarget target(clock);
  std::vector<TPlayRow> rows;
  for (int32_t time : {0, 50, 100})
    for (int32_t channel = 1; channel <= 10; ++channel) rows.push_back({time, channel, 1, 1, 1});
  const TPlayResult result = PlayRows(rows, clock, target);
  EXPECT_EQ(result.Updates, 3u);
  EXPECT_EQ(result.UpdatesBehind, 2u);
  EXPECT_EQ(result.MostBehindMs, 60);
  EXPECT_EQ(result.SendingMs, 240);
}

TEST(TestHostCardList, PanelEntriesToTable) {
  std::vector<TCardRow> rows;
  for (const char* entry : {"0 (open)", "1 (not available)", "2 (closed)", "3 (closed)"}) {
    TCardRow row;
    ASSERT_TRUE(ParseCardEntry(entry, row)) << entry;
    rows.push_back(row);
  }
  EXPECT_EQ(FormatCardTable(rows),
            "card  address  state\n"
            "   1        0  open\n"
            "   2        1  not available\n"
            "   3        2  closed\n"
            "   4        3  closed\n");
  TCardRow row;
  for (const char* other : {"(none)", "4 (open)", "0 (opened)", "0(open)", "0 (open", ""})
    EXPECT_FALSE(ParseCardEntry(other, row)) << other;
}

}  // namespace
