#include "common/sample_sum.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Every length, so both the vector blocks and the tail are covered, and
// the extremes of the sample range.
TEST(SumSamples, EqualsThePlainSumForEveryLength) {
  std::mt19937 random(3);
  std::vector<uint16_t> samples(1100);
  for (uint16_t& s : samples) s = static_cast<uint16_t>(random());
  for (uint32_t start : {0u, 1u}) {  // 1: a block that is not 16-byte aligned
    for (uint32_t count = 0; start + count <= samples.size(); ++count) {
      uint32_t expected = 0;
      for (uint32_t i = 0; i < count; ++i) expected += samples[start + i];
      ASSERT_EQ(SumSamples(samples.data() + start, count), expected) << start << " " << count;
    }
  }
}

TEST(SumSamples, LargestExactSum) {
  const std::vector<uint16_t> full(65537, 65535);
  EXPECT_EQ(SumSamples(full.data(), 65537), 4294967295u);
  const std::vector<uint16_t> zeros(1024, 0);
  EXPECT_EQ(SumSamples(zeros.data(), 1024), 0u);
}

}  // namespace
