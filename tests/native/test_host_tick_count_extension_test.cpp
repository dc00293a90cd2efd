// GetTickCount made 64 bits wide, for the test host on Windows XP: counts on
// across the 32-bit wrap, and a stale reading is not taken for a wrap.
#include "test_host/console/tick_count_extension.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(TickCountExtension, StartsAtTheFirstReadingAndCountsOn) {
  TTickCountExtension extension;
  EXPECT_EQ(extension.Extend(0xF0000000u), 0xF0000000u);  // up for 46 days
  EXPECT_EQ(extension.Extend(0xF0000010u), 0xF0000010u);
  EXPECT_EQ(extension.Extend(0xF0000010u), 0xF0000010u);
}

TEST(TickCountExtension, CountsOnAcrossWraps) {
  TTickCountExtension extension;
  EXPECT_EQ(extension.Extend(0xFFFFFFF0u), 0xFFFFFFF0u);
  EXPECT_EQ(extension.Extend(0x00000010u), 0x100000010u);
  // Three more wraps in steps of 2^30 ms (12 days).
  uint64_t expected = 0x100000010u;
  for (int step = 0; step < 12; ++step) {
    expected += 0x40000000u;
    EXPECT_EQ(extension.Extend(static_cast<uint32_t>(expected)), expected) << step;
  }
}

TEST(TickCountExtension, AReadingBehindTheLastGivesTheLastCount) {
  TTickCountExtension extension;
  EXPECT_EQ(extension.Extend(1000), 1000u);
  EXPECT_EQ(extension.Extend(999), 1000u);  // not a wrap
  EXPECT_EQ(extension.Extend(1001), 1001u);
  EXPECT_EQ(extension.Extend(0xFFFFFFFFu), 1001u);  // behind by 1002, across 0
}

}  // namespace
