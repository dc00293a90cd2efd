// Faults from outside the module: a heap failing at any allocation, a vendor
// library lacking any one entry point, boards that never answer, no vendor
// library at all. Under each, a whole host session runs through every path
// that can reach the library: no crash, nothing leaked, nothing called that
// cannot work.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "tests/fakes/failing_allocator.h"
#include "tests/fakes/fake_vendor.h"
#include "k8055d/k8055d.h"
#include "module/card_slots.h"
#include "module/instance.h"
#include "module/output_action.h"
#include "module/settings_text.h"

namespace {

using fake_vendor::State;
using Calls = std::vector<std::string>;
using TInstances = std::array<TOutputInstance*, 2>;

TInstances CreateInstances() { return {CreateInstance(1), CreateInstance(2)}; }

// Each instance tries cards 1 ... 4 with output on all ten channels and a
// save; then the panel's try of every board, destroy and finish.
void RunSession(const TInstances& instances) {
  std::array<uint16_t, SamplesPerBlock> samples;
  samples.fill(4000);
  for (TOutputInstance* instance : instances) {
    for (const char* card : {"1", "2", "3", "4"}) {
      OpenSettings(instance, card);
      for (int32_t channel = 1; channel <= LastChannel; ++channel) OutputAction(instance, channel, samples.data());
    }
    char text[16];
    SaveSettings(instance, text, sizeof(text) - 1);
  }
  OpenAllCards();
  for (TOutputInstance* instance : instances) DestroyInstance(instance);
  FinishModule();
}

int OutputCommands() {
  int commands = 0;
  for (const std::string& call : State.Calls)
    commands += call.rfind("SetDigitalChannel", 0) == 0 || call.rfind("OutputAnalogChannel", 0) == 0;
  return commands;
}

void ExpectAllSlots(int32_t status) {
  for (int32_t slot : CardSlots().Status) EXPECT_EQ(slot, status);
}

class FaultInjection : public ::testing::Test {
 protected:
  void SetUp() override { fake_vendor::Reset(); }
};

// Two creates make six allocations; each may fail in turn (7: none fails).
// A create gives null or a whole instance, the whole ones work as usual, and
// every block is given back.
TEST_F(FaultInjection, HeapFailingAtEachAllocationOfCreate) {
  for (int failAt = 1; failAt <= 7; ++failAt) {
    SCOPED_TRACE("failing allocation " + std::to_string(failAt));
    fake_vendor::Reset();
    TFailingAllocator heap(failAt);
    const TInstances instances = CreateInstances();
    int whole = 0;
    for (TOutputInstance* instance : instances) {
      if (instance == nullptr) continue;
      ++whole;
      EXPECT_EQ(instance->Ready, 1);
      EXPECT_EQ(std::strlen(instance->ChannelNames), 236u);
      ASSERT_NE(instance->Details, nullptr);
      EXPECT_EQ(instance->Details->Card, 0);
    }
    EXPECT_EQ(whole, failAt <= 6 ? 1 : 2);
    RunSession(instances);
    EXPECT_EQ(heap.Live(), 0);
    EXPECT_EQ(OutputCommands(), 10 * whole);  // only board 0 answers
    EXPECT_EQ(State.Loads, 1);
    EXPECT_EQ(State.Frees, 1);
  }
}

TEST_F(FaultInjection, LibraryLackingAnyOneEntryPointIsNeverCalled) {
  for (const char* name : ModuleEntryNames) {
    SCOPED_TRACE(name);
    fake_vendor::Reset();
    State.Missing = name;
    State.Answering = {0, 1, 2, 3};
    const TInstances instances = CreateInstances();
    for (TOutputInstance* instance : instances) {
      EXPECT_EQ(instance->Ready, 0);
      EXPECT_STREQ(instance->Caption, UnusableCaption);
    }
    RunSession(instances);
    EXPECT_EQ(State.Calls, Calls{});
    ExpectAllSlots(SlotClosed);
    EXPECT_EQ(State.Frees, 1);  // loaded although unusable, freed by finish
  }
}

TEST_F(FaultInjection, BoardsThatNeverAnswerAreTriedOnceEach) {
  State.Answering = {};
  const TInstances instances = CreateInstances();
  RunSession(instances);
  EXPECT_EQ(State.Calls, (Calls{"OpenDevice 0", "OpenDevice 1", "OpenDevice 2", "OpenDevice 3"}));
  ExpectAllSlots(SlotNotAvailable);
  EXPECT_EQ(State.Frees, 1);
}

TEST_F(FaultInjection, AbsentLibraryIsNeverCalledNorFreed) {
  State.Present = false;
  const TInstances instances = CreateInstances();
  for (TOutputInstance* instance : instances) EXPECT_EQ(instance->Ready, 0);
  RunSession(instances);
  EXPECT_EQ(State.Calls, Calls{});
  ExpectAllSlots(SlotClosed);
  EXPECT_EQ(State.Loads, 0);
  EXPECT_EQ(State.Frees, 0);
}

}  // namespace
