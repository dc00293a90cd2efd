// The portable parts of try: the block of samples for a level, the action
// calls a change makes, the resend rounds, the measured rate and the
// status line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_host/session/channel_levels.h"
#include "test_host/try/rate_meter.h"
#include "test_host/try/resend_schedule.h"
#include "test_host/try/try_outputs.h"
#include "test_host/try/try_layout.h"
#include "test_host/try/try_status.h"

namespace {

struct TActionCall {
  TOutputInstance* Instance;
  int32_t Channel;
  std::vector<uint16_t> Samples;
};

std::vector<TActionCall> Calls;

uint8_t TARNWELL_CDECL RecordAction(TOutputInstance* instance, int32_t channel, int32_t, int32_t, int32_t,
                                    const uint16_t* samples) {
  Calls.push_back({instance, channel, std::vector<uint16_t>(samples, samples + SamplesPerBlock)});
  return 0;
}

// The samples of one call, when all are alike: their value; else -1.
int32_t BlockValue(const TActionCall& call) {
  for (uint16_t sample : call.Samples)
    if (sample != call.Samples.front()) return -1;
  return call.Samples.front();
}

TEST(TryLevels, EveryLevelHasABlockThatGivesItBack) {
  for (int32_t level = 0; level <= 255; ++level)
    EXPECT_EQ(LevelForMean(9, SampleValueForLevel(9, level)), level) << level;
  EXPECT_EQ(SampleValueForLevel(10, 255), 5100);
  EXPECT_EQ(SampleValueForLevel(10, 300), 5100) << "a level above 255 is taken as 255";
  EXPECT_EQ(SampleValueForLevel(10, -1), 0);
  EXPECT_EQ(SampleValueForLevel(1, 1), 65535);
  EXPECT_EQ(SampleValueForLevel(8, 0), 0);
  EXPECT_EQ(LevelForMean(8, 1), 1);
  EXPECT_EQ(LevelForMean(1, 0), 0);
  EXPECT_EQ(LevelForMean(9, 65535), 255);
}

TEST(TryOutputs, EachChangeIsOneActionAndSendAllSendsEveryChannelInOrder) {
  Calls.clear();
  TOutputInstance record{};
  TTryOutputs outputs(RecordAction, &record, 10);
  EXPECT_TRUE(outputs.Change(3, 1));
  EXPECT_FALSE(outputs.Change(3, 1)) << "no change, nothing sent";
  EXPECT_TRUE(outputs.Change(10, 128));
  EXPECT_FALSE(outputs.Change(11, 1));
  EXPECT_FALSE(outputs.Change(0, 1));
  ASSERT_EQ(Calls.size(), 2u);
  EXPECT_EQ(Calls[0].Instance, &record);
  EXPECT_EQ(Calls[0].Channel, 3);
  EXPECT_EQ(BlockValue(Calls[0]), 65535);
  EXPECT_EQ(Calls[1].Channel, 10);
  EXPECT_EQ(BlockValue(Calls[1]), 128 * 20);

  Calls.clear();
  outputs.SendAll();
  ASSERT_EQ(Calls.size(), 10u);
  for (int32_t channel = 1; channel <= 10; ++channel) {
    const TActionCall& call = Calls[static_cast<size_t>(channel - 1)];
    EXPECT_EQ(call.Channel, channel);
    EXPECT_EQ(BlockValue(call), channel == 3 ? 65535 : channel == 10 ? 2560 : 0) << channel;
  }
  EXPECT_EQ(outputs.ActionCalls(), 12u);
}

TEST(TryOutputs, APickOfAnotherCardGetsEveryChannelAsTheControlsShowThem) {
  Calls.clear();
  TOutputInstance record{};
  TTryOutputs outputs(RecordAction, &record, 10);
  EXPECT_FALSE(outputs.FollowSettings("1")) << "the first reading only notes the card";
  outputs.Change(2, 1);
  outputs.Change(9, 7);
  EXPECT_FALSE(outputs.FollowSettings("1")) << "the same card";
  ASSERT_EQ(Calls.size(), 2u);

  EXPECT_TRUE(outputs.FollowSettings("3"));
  ASSERT_EQ(Calls.size(), 12u);
  for (int32_t channel = 1; channel <= 10; ++channel)
    EXPECT_EQ(BlockValue(Calls[static_cast<size_t>(channel + 1)]), channel == 2 ? 65535 : channel == 9 ? 140 : 0)
        << channel;
  EXPECT_FALSE(outputs.FollowSettings("3"));
  EXPECT_FALSE(outputs.FollowSettings("0")) << "no card: nothing to send to";
  EXPECT_TRUE(outputs.FollowSettings("3")) << "back from no card";
  EXPECT_EQ(outputs.ActionCalls(), 22u);
}

// Runs the schedule from 0 to endUs, waking wakeLateUs after each due time
// (plus once at stallAtUs for stallUs); returns the times of the rounds.
std::vector<int64_t> Rounds(int32_t perSecond, int64_t endUs, int64_t wakeLateUs, int64_t stallAtUs = -1,
                            int64_t stallUs = 0) {
  TResendSchedule schedule(perSecond, 0);
  std::vector<int64_t> rounds;
  for (int64_t now = 0; now < endUs;) {
    if (schedule.TakeDue(now)) rounds.push_back(now);
    now += schedule.UsUntilDue(now) + wakeLateUs;
    if (stallAtUs >= 0 && now >= stallAtUs) {
      now += stallUs;
      stallAtUs = -1;
    }
  }
  return rounds;
}

TEST(TryResendSchedule, RoundsKeepTheRateWithoutDrift) {
  EXPECT_EQ(Rounds(1000, 1000000, 0).size(), 1000u);
  const std::vector<int64_t> late = Rounds(1000, 1000000, 900);  // every wake 0.9 ms late
  EXPECT_GE(late.size(), 999u);
  EXPECT_LE(late.size(), 1000u);
  const std::vector<int64_t> three = Rounds(3, 1000000, 0);
  EXPECT_EQ(three, (std::vector<int64_t>{0, 333333, 666666}));
}

TEST(TryResendSchedule, AStallIsNotMadeUpWithABurst) {
  // 100 a second, the loop stalls for a second at 0.5 s.
  const std::vector<int64_t> rounds = Rounds(100, 3000000, 0, 500000, 1000000);
  size_t inAnyTenMs = 0;
  for (size_t i = 0; i < rounds.size(); ++i) {
    size_t n = 0;
    for (size_t j = i; j < rounds.size() && rounds[j] < rounds[i] + 10000; ++j) ++n;
    inAnyTenMs = std::max(inAnyTenMs, n);
  }
  EXPECT_EQ(inAnyTenMs, 1u) << "never two rounds within one period";
  EXPECT_NEAR(static_cast<double>(rounds.size()), 200.0, 2.0) << "two of the three seconds sent";
}

TEST(TryRateMeter, RateOverTheLastSecond) {
  TRateMeter meter;
  EXPECT_EQ(meter.TenthsPerSecond(), 0);
  meter.Read(5000, 0);
  EXPECT_EQ(meter.TenthsPerSecond(), 0) << "one reading has no rate";
  uint64_t count = 0;
  for (int64_t ms = 5250; ms <= 8000; ms += 250) meter.Read(ms, count += 125);  // 500 a second
  EXPECT_EQ(meter.TenthsPerSecond(), 5000);
  meter.Read(8250, count + 1);
  EXPECT_EQ(meter.TenthsPerSecond(), 3760) << "376 calls over the last second";
  for (int64_t ms = 8500; ms <= 9000; ms += 250) meter.Read(ms, count + 1);
  EXPECT_EQ(meter.TenthsPerSecond(), 10) << "one call in the last second";
  meter.Read(9250, count + 1);
  EXPECT_EQ(meter.TenthsPerSecond(), 0) << "the last call was a second ago";
}

TEST(TryStatus, TheCardAndWhetherAChangeReachesItsBoard) {
  const std::vector<TCardRow> cards = {{0, "open"}, {1, "not available"}, {2, "closed"}, {3, "open"}};
  const struct {
    const char* Settings;
    std::vector<TCardRow> Cards;
    const char* Card;
  } cases[] = {
      {"1", cards, "card 1 (address 0) open"},
      {"4", cards, "card 4 (address 3) open"},
      {"2", cards, "card 2 (address 1) not available: nothing reaches a board"},
      {"3", cards, "card 3 (address 2) closed: nothing reaches a board"},
      {"0", cards, "no card: nothing reaches a board"},
      {"7", cards, "card 7 (not 1 ... 4): nothing reaches a board"},
      {"-2", cards, "card -2 (not 1 ... 4): nothing reaches a board"},
      {"1", {}, "card 1 (address 0), state unknown"},
  };
  for (const auto& c : cases) {
    TTryStatus status;
    status.Caption = "Velleman K8055D";
    status.Ready = true;
    status.Settings = c.Settings;
    status.Cards = c.Cards;
    status.ActionCalls = 12;
    status.TenthsPerSecond = 5005;
    EXPECT_EQ(FormatTryStatus(status),
              std::string("Velleman K8055D | Ready yes | ") + c.Card + " | 12 action calls, 500.5 per second");
  }
}

TEST(TryStatus, AnUnusableVendorLibraryAndOneCall) {
  TTryStatus status;
  status.Caption = "Cannot load k8055d.dll";
  status.Settings = "1";
  status.Cards = {{0, "closed"}, {1, "closed"}, {2, "closed"}, {3, "closed"}};
  status.ActionCalls = 1;
  status.TenthsPerSecond = 3;
  EXPECT_EQ(FormatTryStatus(status),
            "Cannot load k8055d.dll | Ready no | card 1 (address 0) closed: nothing reaches a board | 1 action call, "
            "0.3 per second");
}

// The status line is made as high as the longest of these needs: every
// text the status can come to is no longer than the longest of them.
TEST(TryStatus, TheLongestTextsCoverEveryPickAndState) {
  TTryStatus status;
  status.Caption = "Velleman K8055D";
  status.Ready = true;
  status.Settings = "-2147483648";
  const std::vector<std::string> longest = LongestTryStatuses(status);
  size_t longestLength = 0;
  for (const std::string& text : longest) longestLength = std::max(longestLength, text.size());
  EXPECT_NE(std::find(longest.begin(), longest.end(),
                      "Velleman K8055D | Ready yes | card 4 (address 3) not available: nothing reaches a board | "
                      "999999999999 action calls, 99999.9 per second"),
            longest.end());
  for (const char* settings : {"-2147483648", "0", "1", "2", "3", "4"})
    for (const char* state : {"open", "not available", "closed"}) {
      status.Settings = settings;
      status.Cards = {{0, state}, {1, state}, {2, state}, {3, state}};
      status.ActionCalls = 10000000;  // a day at 10,000 a second, ...
      status.TenthsPerSecond = 100200;  // ... as --rate 1000 gives
      EXPECT_LE(FormatTryStatus(status).size(), longestLength) << settings << " " << state;
    }
}

// Layouts for fonts from small to huge: every control keeps its measured
// size, none overlaps another, all lie inside the pane; the check boxes
// take four columns while they fit the panel's width, then two, then one.
TEST(TryLayout, ControlsFitTheirTextsAtEveryFontSize) {
  for (int line = 8; line <= 64; line += 4) {
    SCOPED_TRACE("line height " + std::to_string(line));
    TTryMeasures m;
    m.TextHeight = line;
    m.CharWidth = line / 2;
    m.CheckMark = line;
    m.CheckBoxTextWidth = 23 * line / 2;  // "Digital output 1 status"
    m.SliderNameWidth = 21 * line / 2;
    m.LevelWidth = 3 * line / 2;
    m.SliderHeight = 2 * line;
    m.MinWidth = 736;
    TTryLayout layout = LayOutTryPane(m, 8, 2);
    layout.Status.Height = 2 * line;
    std::vector<TBox> boxes = layout.CheckBoxes;
    ASSERT_EQ(boxes.size(), 8u);
    ASSERT_EQ(layout.SliderRows.size(), 2u);
    const int columns = static_cast<int>(std::count_if(
        boxes.begin(), boxes.end(), [&](const TBox& box) { return box.Top == boxes.front().Top; }));
    EXPECT_TRUE(columns == 4 || columns == 2 || columns == 1) << columns;
    EXPECT_TRUE(layout.Width == 736 || columns == 1) << "wider than the panel only for one column";
    for (const TBox& box : boxes) {
      EXPECT_GE(box.Width, m.CheckMark + m.CheckBoxTextWidth);
      EXPECT_GE(box.Height, std::max(m.CheckMark, m.TextHeight));
    }
    for (const TSliderRow& row : layout.SliderRows) {
      EXPECT_EQ(row.Name.Width, m.SliderNameWidth);
      EXPECT_EQ(row.Level.Width, m.LevelWidth);
      EXPECT_GE(row.Slider.Width, SliderMinWidth);
      EXPECT_EQ(row.Slider.Height, m.SliderHeight);
      boxes.insert(boxes.end(), {row.Name, row.Slider, row.Level});
    }
    boxes.push_back(layout.Status);
    for (size_t i = 0; i < boxes.size(); ++i) {
      const TBox& a = boxes[i];
      EXPECT_TRUE(a.Left >= 0 && a.Top >= 0 && a.Right() <= layout.Width && a.Bottom() <= layout.Height()) << i;
      for (size_t j = i + 1; j < boxes.size(); ++j) {
        const TBox& b = boxes[j];
        EXPECT_TRUE(a.Right() <= b.Left || b.Right() <= a.Left || a.Bottom() <= b.Top || b.Bottom() <= a.Top)
            << "control " << i << " overlaps control " << j;
      }
    }
  }
}

}  // namespace
