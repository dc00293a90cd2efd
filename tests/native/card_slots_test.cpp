#include "module/card_slots.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_vendor.h"
#include "k8055d/k8055d.h"

namespace {

using fake_vendor::State;
using Calls = std::vector<std::string>;

class CardSlots : public ::testing::Test {
 protected:
  void SetUp() override { fake_vendor::ResetAndLoad(); }
};

TEST_F(CardSlots, StartClosed) {
  fake_vendor::Reset();
  for (int32_t slot : ::CardSlots().Status) EXPECT_EQ(slot, -2);
}

TEST_F(CardSlots, EachAddressIsTriedOnce) {
  State.Answering = {0};
  OpenCard(0);
  OpenCard(1);
  EXPECT_EQ(CardSlot(0), 0);
  EXPECT_EQ(CardSlot(1), -1);
  State.Answering = {0, 1};  // board 1 plugged in after its failed try
  OpenCard(1);
  OpenCard(0);
  EXPECT_EQ(CardSlot(1), -1);
  EXPECT_EQ(State.Calls, (Calls{"OpenDevice 0", "OpenDevice 1"}));
}

TEST_F(CardSlots, OpenAllCardsTriesEveryClosedSlotInAddressOrder) {
  State.Answering = {1, 3};
  OpenCard(3);
  State.Calls.clear();
  OpenAllCards();
  EXPECT_EQ(State.Calls, (Calls{"OpenDevice 0", "OpenDevice 1", "OpenDevice 2"}));
  EXPECT_EQ(CardSlot(0), -1);
  EXPECT_EQ(CardSlot(1), 1);
  EXPECT_EQ(CardSlot(2), -1);
  EXPECT_EQ(CardSlot(3), 3);
  State.Calls.clear();
  OpenAllCards();
  EXPECT_TRUE(State.Calls.empty());
}

TEST_F(CardSlots, AddressesOutsideTheBoardsAreIgnored) {
  for (int32_t address : {-1, 4, 1000, INT32_MIN}) OpenCard(address);
  EXPECT_TRUE(State.Calls.empty());
}

TEST_F(CardSlots, NothingIsCalledWhileTheLibraryIsUnusable) {
  fake_vendor::Reset();
  State.Missing = "SetAllDigital";
  LoadDriverOnce();
  OpenAllCards();
  OpenCard(0);
  for (int32_t slot : ::CardSlots().Status) EXPECT_EQ(slot, -2);
  FinishModule();
  EXPECT_TRUE(State.Calls.empty());
  EXPECT_EQ(State.Frees, 1);  // loaded all the same, freed by finish
}

TEST_F(CardSlots, FinishClosesOpenBoardsInAddressOrderThenFreesTheLibrary) {
  State.Answering = {0, 2};
  OpenCard(2);
  OpenCard(1);
  OpenCard(0);
  State.Calls.clear();
  FinishModule();
  EXPECT_EQ(State.Calls, (Calls{"SetCurrentDevice 0", "CloseDevice", "SetCurrentDevice 2", "CloseDevice"}));
  EXPECT_EQ(State.Frees, 1);
  EXPECT_EQ(CardSlot(0), 0);  // slots keep their values
  EXPECT_EQ(CardSlot(1), -1);
}

TEST_F(CardSlots, NothingReachesTheLibraryAfterFinish) {
  OpenCard(0);
  FinishModule();
  State.Calls.clear();
  OpenCard(1);
  OpenAllCards();
  FinishModule();
  EXPECT_TRUE(State.Calls.empty());
  EXPECT_EQ(State.Frees, 1);
}

TEST_F(CardSlots, FinishWithoutCreateCallsAndFreesNothing) {
  fake_vendor::Reset();
  FinishModule();
  EXPECT_TRUE(State.Calls.empty());
  EXPECT_EQ(State.Frees, 0);
}

}  // namespace
