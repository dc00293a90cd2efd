// 10,000 create / destroy cycles: every instance gives back its record, its
// 65,535-byte channel list and its details, so memory returns to where it
// started, well below what even a few leaked instances would add.
// Bounded in count; the test preset's timeout bounds its time.
#include <gtest/gtest.h>

#include "tests/win32/module_host.h"
#include "tests/win32/process_resources.h"

namespace {

constexpr int Cycles = 10000;

TEST(Soak, TenThousandCreateDestroyCycles) {
  TModuleHost host("full");
  SetEnvironmentVariableA("VIRTUAL_K8055_TRACE", nullptr);
  auto cycle = [&](int i) {
    TOutputInstance* instance = host.Api.create(i);
    ASSERT_NE(instance, nullptr);
    host.Api.open(instance, "1");
    host.Api.destroy(instance);
  };
  for (int i = 0; i < 100; ++i) cycle(i);  // warm up
  const TProcessResources before = TProcessResources::Now();
  for (int i = 0; i < Cycles; ++i) cycle(i);
  const TProcessResources after = TProcessResources::Now();
  // One leaked instance alone would add 64 KiB.
  ExpectWithinBounds(before, after, {128 * 1024, 256 * 1024, 0, 0, 0, 0});
}

}  // namespace
