#include "module/output_action.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/fakes/fake_vendor.h"
#include "module/card_slots.h"
#include "module/settings_text.h"
#include "tests/shared/sample_blocks.h"

namespace {

using fake_vendor::State;
using Calls = std::vector<std::string>;

TSamples SamplesWithMean(uint32_t mean) { return SamplesWithSum(mean * 1024); }

class Action : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_vendor::ResetAndLoad();
    State.Answering = {0, 1, 2, 3};
    Instance = CreateInstance(0);
    OpenSettings(Instance, "1");
    State.Calls.clear();
  }
  void TearDown() override { DestroyInstance(Instance); }
  // The commands that one action call sends.
  Calls Send(int32_t channel, const TSamples& samples) {
    State.Calls.clear();
    EXPECT_EQ(OutputAction(Instance, channel, samples.data()), 0);
    return State.Calls;
  }
  TOutputInstance* Instance = nullptr;
};

TEST_F(Action, DigitalChannelsSwitchOnAnyNonZeroMean) {
  EXPECT_EQ(Send(1, SamplesWithMean(0)), (Calls{"SetCurrentDevice 0", "ClearDigitalChannel 1"}));
  EXPECT_EQ(Send(8, SamplesWithMean(1)), (Calls{"SetCurrentDevice 0", "SetDigitalChannel 8"}));
  EXPECT_EQ(Send(3, SamplesWithMean(65535)), (Calls{"SetCurrentDevice 0", "SetDigitalChannel 3"}));
  // An unchanged value is sent again: there is no record of earlier values.
  EXPECT_EQ(Send(3, SamplesWithMean(65535)), (Calls{"SetCurrentDevice 0", "SetDigitalChannel 3"}));
}

TEST_F(Action, MeansHalfwayBetweenIntegersRoundToEven) {
  EXPECT_EQ(Send(2, SamplesWithSum(512)).back(), "ClearDigitalChannel 2");  // 0.5 -> 0
  EXPECT_EQ(Send(2, SamplesWithSum(513)).back(), "SetDigitalChannel 2");    // just above 0.5
  EXPECT_EQ(Send(9, SamplesWithSum(39 * 512)).back(), "OutputAnalogChannel 1 1");  // 19.5 -> 20
  EXPECT_EQ(Send(9, SamplesWithSum(37 * 512)).back(), "OutputAnalogChannel 1 0");  // 18.5 -> 18
  EXPECT_EQ(Send(9, SamplesWithSum(41 * 512)).back(), "OutputAnalogChannel 1 1");  // 20.5 -> 20
}

TEST_F(Action, AnalogChannelsSendTheMeanOverTwentyClampedTo255) {
  const struct {
    uint32_t Mean;
    int Level;
  } cases[] = {{0, 0}, {19, 0}, {20, 1}, {39, 1}, {2560, 128}, {5099, 254}, {5100, 255},
               {5119, 255}, {5120, 255}, {40000, 255}, {65535, 255}};
  for (const auto& c : cases) {
    EXPECT_EQ(Send(9, SamplesWithMean(c.Mean)), (Calls{"SetCurrentDevice 0", "OutputAnalogChannel 1 " + std::to_string(c.Level)}))
        << c.Mean;
    EXPECT_EQ(Send(10, SamplesWithMean(c.Mean)).back(), "OutputAnalogChannel 2 " + std::to_string(c.Level)) << c.Mean;
  }
}

TEST_F(Action, ChannelsOutsideOneToTenSendNothing) {
  for (int32_t channel : {0, -1, 11, 12, 1000, INT32_MAX, INT32_MIN})
    EXPECT_TRUE(Send(channel, SamplesWithMean(100)).empty()) << channel;
}

TEST_F(Action, NothingIsSentWithoutAnOpenBoard) {
  const TSamples samples = SamplesWithMean(100);
  for (int32_t card : {0, -1, 5, INT32_MAX, INT32_MIN}) {
    Instance->Details->Card = card;
    EXPECT_TRUE(Send(1, samples).empty()) << card;
  }
  Instance->Details->Card = 3;  // slot of address 2 still closed
  EXPECT_TRUE(Send(1, samples).empty());
  State.Answering = {};
  OpenSettings(Instance, "2");  // address 1 does not answer
  State.Calls.clear();
  EXPECT_TRUE(Send(1, samples).empty());
  EXPECT_EQ(OutputAction(nullptr, 1, samples.data()), 0);
  Instance->Details->Card = 1;
  EXPECT_EQ(OutputAction(Instance, 1, nullptr), 0);
  EXPECT_TRUE(State.Calls.empty());
}

TEST_F(Action, NothingIsSentAfterFinish) {
  FinishModule();
  EXPECT_TRUE(Send(1, SamplesWithMean(1)).empty());
}

TEST_F(Action, InstancesOnTwoBoardsSelectTheirOwnBoardEachTime) {
  TOutputInstance* other = CreateInstance(1);
  OpenSettings(other, "3");
  State.Calls.clear();
  const TSamples on = SamplesWithMean(1000);
  OutputAction(Instance, 1, on.data());
  OutputAction(other, 10, on.data());
  OutputAction(Instance, 9, on.data());
  EXPECT_EQ(State.Calls, (Calls{"SetCurrentDevice 0", "SetDigitalChannel 1", "SetCurrentDevice 2",
                                "OutputAnalogChannel 2 50", "SetCurrentDevice 0", "OutputAnalogChannel 1 50"}));
  DestroyInstance(other);
}

// A board unplugged while open: the library answers -1 at its select and
// keeps the board selected before, so the command must not be sent. The
// slot is not available from then on, and the other board works on.
TEST_F(Action, ABoardTheLibraryDroppedGetsNothingAndIsNotAvailableFromThenOn) {
  TOutputInstance* other = CreateInstance(1);
  OpenSettings(other, "2");
  const TSamples on = SamplesWithMean(1000);
  State.Dropped = {0};
  EXPECT_EQ(Send(3, on), (Calls{"SetCurrentDevice 0"}));
  EXPECT_EQ(CardSlot(0), SlotNotAvailable);
  EXPECT_TRUE(Send(3, on).empty()) << "not even selected again";
  State.Dropped.clear();  // plugged in again: the module does not open it again
  EXPECT_TRUE(Send(3, on).empty());
  State.Calls.clear();
  OutputAction(other, 3, on.data());
  EXPECT_EQ(State.Calls, (Calls{"SetCurrentDevice 1", "SetDigitalChannel 3"}));
  State.Calls.clear();
  FinishModule();
  EXPECT_EQ(State.Calls, (Calls{"SetCurrentDevice 0", "CloseDevice", "SetCurrentDevice 1", "CloseDevice"}))
      << "the dropped card is closed as an open one";
  EXPECT_TRUE(State.Open.empty());
  EXPECT_EQ(CardSlot(0), SlotNotAvailable);
  DestroyInstance(other);
}

// OpenDevice(0) opened boards 1 to 3 too, which no slot names: after board
// 0 was dropped, finish still leaves the library with no board open.
TEST_F(Action, FinishAfterADropClosesTheBoardsTheLibraryStillHolds) {
  State.Dropped = {0};
  const TSamples on = SamplesWithMean(1000);
  EXPECT_EQ(Send(3, on), (Calls{"SetCurrentDevice 0"}));
  State.Calls.clear();
  FinishModule();
  EXPECT_EQ(State.Calls, (Calls{"SetCurrentDevice 0", "CloseDevice"}));
  EXPECT_TRUE(State.Open.empty());
  EXPECT_EQ(State.Frees, 1);
}

}  // namespace
