// action of the real DLL, end to end: what reaches the virtual board.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/win32/module_host.h"
#include "tests/shared/sample_blocks.h"

namespace {

using Calls = std::vector<std::string>;

class Action : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,3");
    Instance = Host.Api.create(1);
    Host.Api.open(Instance, "1");
  }
  void TearDown() override { Host.Api.destroy(Instance); }
  // The calls that one action makes, after those made so far.
  Calls Send(TOutputInstance* instance, int32_t channel, const TSamples& samples) {
    const size_t before = Host.Calls().size();
    EXPECT_EQ(Host.Api.action(instance, channel, -1, -1, -1, samples.data()), 0);
    const Calls calls = Host.Calls();
    return Calls(calls.begin() + static_cast<long>(before), calls.end());
  }
  TModuleHost Host{"full"};
  TOutputInstance* Instance = nullptr;
};

TEST_F(Action, DigitalAndAnalogPaths) {
  EXPECT_EQ(Send(Instance, 1, SamplesWithSum(0)), (Calls{"SetCurrentDevice 0", "ClearDigitalChannel 1"}));
  EXPECT_EQ(Send(Instance, 8, SamplesWithSum(300 * 1024)), (Calls{"SetCurrentDevice 0", "SetDigitalChannel 8"}));
  EXPECT_EQ(Send(Instance, 9, SamplesWithSum(2560 * 1024)), (Calls{"SetCurrentDevice 0", "OutputAnalogChannel 1 128"}));
  EXPECT_EQ(Send(Instance, 10, SamplesWithSum(20 * 1024)), (Calls{"SetCurrentDevice 0", "OutputAnalogChannel 2 1"}));
}

TEST_F(Action, RoundingAtTheTies) {
  EXPECT_EQ(Send(Instance, 2, SamplesWithSum(512)).back(), "ClearDigitalChannel 2");
  EXPECT_EQ(Send(Instance, 2, SamplesWithSum(513)).back(), "SetDigitalChannel 2");
  EXPECT_EQ(Send(Instance, 9, SamplesWithSum(19968)).back(), "OutputAnalogChannel 1 1");  // 19.5
  EXPECT_EQ(Send(Instance, 9, SamplesWithSum(18944)).back(), "OutputAnalogChannel 1 0");  // 18.5
}

TEST_F(Action, AnalogLevelsStopAt255) {
  EXPECT_EQ(Send(Instance, 9, SamplesWithSum(5099 * 1024)).back(), "OutputAnalogChannel 1 254");
  EXPECT_EQ(Send(Instance, 9, SamplesWithSum(5120 * 1024)).back(), "OutputAnalogChannel 1 255");
  EXPECT_EQ(Send(Instance, 10, SamplesWithSum(65535u * 1024)).back(), "OutputAnalogChannel 2 255");
}

TEST_F(Action, RejectedCallsSendNothing) {
  const TSamples samples = SamplesWithSum(5000);
  for (int32_t channel : {0, -1, 11, INT32_MAX, INT32_MIN}) EXPECT_TRUE(Send(Instance, channel, samples).empty());
  EXPECT_EQ(Host.Api.action(nullptr, 1, 0, 0, 0, samples.data()), 0);
  EXPECT_EQ(Host.Api.action(Instance, 1, 0, 0, 0, nullptr), 0);
  for (const char* card : {"0", "2", "5", "-1"}) {  // none, not available, out of range
    Host.Api.open(Instance, card);
    EXPECT_TRUE(Send(Instance, 1, samples).empty()) << card;
  }
}

TEST_F(Action, InstancesOnTwoBoardsInterleave) {
  TOutputInstance* other = Host.Api.create(2);
  Host.Api.open(other, "4");
  const TSamples on = SamplesWithSum(1024);
  EXPECT_EQ(Send(other, 5, on), (Calls{"SetCurrentDevice 3", "SetDigitalChannel 5"}));
  EXPECT_EQ(Send(Instance, 5, on), (Calls{"SetCurrentDevice 0", "SetDigitalChannel 5"}));
  EXPECT_EQ(Send(other, 6, on), (Calls{"SetCurrentDevice 3", "SetDigitalChannel 6"}));
  Host.Api.destroy(other);
}

}  // namespace
