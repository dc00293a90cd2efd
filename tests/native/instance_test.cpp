#include "module/instance.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/fakes/fake_vendor.h"
#include "tests/fakes/failing_allocator.h"

namespace {

using fake_vendor::State;

const char ExpectedChannels[] =
    "Digital output 1 status|Digital output 2 status|Digital output 3 status|Digital output 4 status|"
    "Digital output 5 status|Digital output 6 status|Digital output 7 status|Digital output 8 status|"
    "Analog output 1 value|Analog output 2 value|";

class Instance : public ::testing::Test {
 protected:
  void SetUp() override { fake_vendor::Reset(); }
};

TEST(ModuleInformation, WritesAtMostSizeCharacters) {
  char buffer[64];
  EXPECT_EQ(ModuleInformation(buffer, sizeof(buffer) - 1), 25);
  EXPECT_STREQ(buffer, "OVelleman K8055D|Hardware");
  EXPECT_EQ(ModuleInformation(buffer, 25), 25);
  EXPECT_STREQ(buffer, "OVelleman K8055D|Hardware");
  EXPECT_EQ(ModuleInformation(buffer, 1), 1);
  EXPECT_STREQ(buffer, "O");
  EXPECT_EQ(ModuleInformation(buffer, 0), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(ModuleInformation(nullptr, 100), 0);
}

TEST_F(Instance, UsableLibraryGivesAReadyRecord) {
  TOutputInstance* instance = CreateInstance(1234);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(instance->HostTag, 1234);
  EXPECT_STREQ(instance->Caption, "Velleman K8055D");
  EXPECT_EQ(instance->Ready, 1);
  for (int32_t reserved : {instance->Reserved1, instance->Reserved2, instance->Reserved3, instance->Reserved4,
                           instance->Reserved5})
    EXPECT_EQ(reserved, -1);
  EXPECT_EQ(instance->ChannelCount, 10);
  EXPECT_EQ(instance->ExtraCount, 0);
  EXPECT_STREQ(instance->ChannelNames, ExpectedChannels);
  EXPECT_EQ(std::strlen(instance->ChannelNames), 236u);
  EXPECT_STREQ(instance->ExtraNames, "");
  ASSERT_NE(instance->Details, nullptr);
  EXPECT_EQ(instance->Details->GroupBox, nullptr);
  EXPECT_EQ(instance->Details->AddressLabel, nullptr);
  EXPECT_EQ(instance->Details->AddressCombo, nullptr);
  EXPECT_EQ(instance->Details->Card, 0);
  EXPECT_EQ(instance->Reserved7, 0);
  DestroyInstance(instance);
  EXPECT_TRUE(State.Calls.empty());
}

TEST_F(Instance, LibraryIsLoadedOnceAndAFailureIsNotRetried) {
  State.Present = false;
  TOutputInstance* first = CreateInstance(1);
  State.Present = true;  // appears later: not tried again
  TOutputInstance* second = CreateInstance(2);
  EXPECT_EQ(State.Loads, 0);
  for (TOutputInstance* instance : {first, second}) {
    EXPECT_STREQ(instance->Caption, "Cannot load k8055d.dll");
    EXPECT_EQ(instance->Ready, 0);
    EXPECT_EQ(instance->ChannelCount, 10);
    EXPECT_STREQ(instance->ChannelNames, ExpectedChannels);
    DestroyInstance(instance);
  }
}

TEST_F(Instance, TwoCreatesShareOneLoad) {
  TOutputInstance* first = CreateInstance(1);
  TOutputInstance* second = CreateInstance(2);
  EXPECT_EQ(State.Loads, 1);
  EXPECT_EQ(first->Caption, second->Caption);
  EXPECT_EQ(second->Ready, 1);
  DestroyInstance(first);
  DestroyInstance(second);
}

TEST_F(Instance, IncompleteLibraryGivesTheFailureCaption) {
  State.Missing = "ReadCounter";
  TOutputInstance* instance = CreateInstance(0);
  EXPECT_STREQ(instance->Caption, "Cannot load k8055d.dll");
  EXPECT_EQ(instance->Ready, 0);
  DestroyInstance(instance);
}

TEST_F(Instance, DestroyOfNullDoesNothing) { DestroyInstance(nullptr); }

// Each of the three allocations of create may fail: create gives null and
// gives back what it had taken.
TEST_F(Instance, FailedAllocationGivesNullAndLeaksNothing) {
  for (int failAt = 1; failAt <= 4; ++failAt) {
    TFailingAllocator heap(failAt);
    TOutputInstance* instance = CreateInstance(5);
    if (failAt <= 3) {
      EXPECT_EQ(instance, nullptr) << "failing allocation " << failAt;
    } else {
      ASSERT_NE(instance, nullptr);
      EXPECT_EQ(heap.Allocations(), 3);
    }
    DestroyInstance(instance);
    EXPECT_EQ(heap.Live(), 0) << "failing allocation " << failAt;
  }
}

}  // namespace
