#include "common/common.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "common/allocation.h"

namespace {

int32_t Mean(const std::vector<uint16_t>& samples) {
  return AverageSamples(samples.data(), 1, static_cast<int32_t>(samples.size()));
}

TEST(AverageSamples, Extremes) {
  EXPECT_EQ(Mean(std::vector<uint16_t>(1024, 0)), 0);
  EXPECT_EQ(Mean(std::vector<uint16_t>(1024, 65535)), 65535);
  std::vector<uint16_t> one(1024, 0);
  one[700] = 1;
  EXPECT_EQ(Mean(one), 0);
}

TEST(AverageSamples, HalfwayGoesToEven) {
  EXPECT_EQ(Mean({2, 3}), 2);   // 2.5
  EXPECT_EQ(Mean({3, 4}), 4);   // 3.5
  EXPECT_EQ(Mean({0, 1}), 0);   // 0.5
  EXPECT_EQ(Mean({1, 2}), 2);   // 1.5
  EXPECT_EQ(Mean({1, 1, 2}), 1);  // 1.33
  EXPECT_EQ(Mean({1, 2, 2}), 2);  // 1.67
}

TEST(AverageSamples, UsesOnlyTheGivenPositions) {
  const uint16_t samples[] = {1000, 4, 6, 1000};
  EXPECT_EQ(AverageSamples(samples, 2, 3), 5);
  EXPECT_EQ(AverageSamples(samples, 4, 4), 1000);
  EXPECT_EQ(AverageSamples(samples, 3, 2), 0);  // empty range
}

// The exact integer form matches the floating-point description: sum as a
// double, divide, round to nearest with ties to even.
TEST(AverageSamples, MatchesFloatingPointRounding) {
  std::mt19937 random(7);
  std::vector<uint16_t> samples(1024);
  for (int round = 0; round < 2000; ++round) {
    const int spread = round % 4 == 0 ? 65536 : round % 4 == 1 ? 4 : round % 4 == 2 ? 2 : 40;
    for (uint16_t& s : samples) s = static_cast<uint16_t>(random() % spread);
    double sum = 0;
    for (uint16_t s : samples) sum += s;
    ASSERT_EQ(Mean(samples), static_cast<int32_t>(std::nearbyint(sum / 1024))) << "round " << round;
  }
}

TEST(CutFirstField, SplitsAtTheFirstSeparator) {
  struct {
    const char* Text;
    const char* Field;
    const char* Rest;
  } cases[] = {
      {"1,2,3", "1", "2,3"}, {"12", "12", ""}, {",7", "", "7"}, {"", "", ""}, {"3,", "3", ""},
  };
  for (const auto& c : cases) {
    std::string_view text = c.Text;
    EXPECT_EQ(CutFirstField(text, ','), c.Field) << c.Text;
    EXPECT_EQ(text, c.Rest) << c.Text;
  }
}

TEST(TextToBuffer, CopiesAtMostSizeCharactersAndANul) {
  char buffer[8];
  std::memset(buffer, 'x', sizeof(buffer));
  EXPECT_EQ(TextToBuffer("abc", buffer, 2), 2);
  EXPECT_STREQ(buffer, "ab");
  EXPECT_EQ(buffer[3], 'x');  // nothing past size + 1

  std::memset(buffer, 'x', sizeof(buffer));
  EXPECT_EQ(TextToBuffer("abc", buffer, 10), 3);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(buffer[4], 'x');  // nothing past length + 1

  EXPECT_EQ(TextToBuffer("abc", buffer, 0), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(TextToBuffer("abc", nullptr, 10), 0);
}

// A heap set takes every allocation until the one before it is put back;
// null puts the default back from wherever the chain stands.
int Taken;
void* TakingAllocate(size_t) {
  ++Taken;
  return nullptr;
}
void TakingRelease(void*) { ++Taken; }
constexpr THeap TakingHeap{TakingAllocate, TakingRelease};

TEST(Heap, SetHeapReplacesTheHeapAndGivesTheOneToPutBack) {
  Taken = 0;
  const THeap* before = SetHeap(&TakingHeap);
  EXPECT_EQ(AllocateMemory(16), nullptr);
  ReleaseMemory(nullptr);
  EXPECT_EQ(Taken, 2);
  EXPECT_EQ(SetHeap(before), &TakingHeap);
  void* block = AllocateMemory(16);
  EXPECT_NE(block, nullptr);
  ReleaseMemory(block);
  EXPECT_EQ(Taken, 2);
}

TEST(Heap, NullPutsTheDefaultHeapBack) {
  Taken = 0;
  const THeap* before = SetHeap(&TakingHeap);
  SetHeap(&TakingHeap);
  EXPECT_EQ(SetHeap(nullptr), &TakingHeap);
  void* block = AllocateMemory(16);
  EXPECT_NE(block, nullptr);
  ReleaseMemory(block);
  EXPECT_EQ(Taken, 0);
  EXPECT_EQ(SetHeap(nullptr), before) << "the heap in use at the start was the default";
}

}  // namespace
