// 1,000,000 action calls over two instances on two boards: the hot path
// holds on to nothing, so memory and window-system objects stay where they
// started. Bounded in count; the test preset's timeout bounds its time.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/win32/module_host.h"
#include "tests/win32/process_resources.h"

namespace {

using Calls = std::vector<std::string>;

constexpr int ActionCalls = 1000000;

TEST(Soak, MillionActionCallsOverTwoBoards) {
  TModuleHost host("full");
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,1");
  TOutputInstance* instances[] = {host.Api.create(1), host.Api.create(2)};
  host.Api.open(instances[0], "1");
  host.Api.open(instances[1], "2");
  std::array<uint16_t, 1024> low, high;
  low.fill(0);
  high.fill(65535);
  // One round with the call record on: the calls are accepted and sent.
  auto round = [&](int i) {
    host.Api.action(instances[i & 1], 1 + (i >> 1) % 10, 0, 0, 0, (i & 2 ? high : low).data());
  };
  for (int i = 0; i < 4; ++i) round(i);
  ASSERT_EQ(host.Calls(), (Calls{"OpenDevice 0", "OpenDevice 1", "SetCurrentDevice 0", "ClearDigitalChannel 1",
                                 "SetCurrentDevice 1", "ClearDigitalChannel 1", "SetCurrentDevice 0",
                                 "SetDigitalChannel 2", "SetCurrentDevice 1", "SetDigitalChannel 2"}));
  SetEnvironmentVariableA("VIRTUAL_K8055_TRACE", nullptr);  // a file line per call would dominate

  for (int i = 0; i < 10000; ++i) round(i);  // warm up
  const TProcessResources before = TProcessResources::Now();
  for (int i = 0; i < ActionCalls; ++i) round(i);
  const TProcessResources after = TProcessResources::Now();
  ExpectWithinBounds(before, after, {64 * 1024, 256 * 1024, 0, 0, 0, 0});

  for (TOutputInstance* instance : instances) host.Api.destroy(instance);
}

}  // namespace
