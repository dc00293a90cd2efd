// The virtual boards as calls change them, which the virtual board answers
// from and the timeline replays a record on: an address that is no card
// address, a board that is not open and a channel that is not the board's
// change nothing (and never index past the four boards).
#include <gtest/gtest.h>

#include <climits>

#include "virtual_board/board_model.h"

namespace {

TEST(BoardModel, OnlyCardAddressesOpenAndAreSelected) {
  TBoardModel model;
  for (const int32_t address : {-1, CardAddressCount, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(model.Open(address)) << address;
    EXPECT_FALSE(model.Select(address)) << address;
  }
  EXPECT_FALSE(model.AnyOpen());
  EXPECT_EQ(model.Current, -1);
  EXPECT_EQ(model.Close(), -1);
  EXPECT_EQ(model.Output(veSetAllDigital), -1) << "no board selected";

  EXPECT_TRUE(model.Open(3));
  EXPECT_TRUE(model.Open(0));
  EXPECT_EQ(model.Current, 0);
  EXPECT_FALSE(model.Select(1)) << "not open";
  EXPECT_EQ(model.Current, 0);
  EXPECT_TRUE(model.Select(3));
  EXPECT_EQ(model.Current, 3);
}

TEST(BoardModel, OutputsGoToTheSelectedBoardWithinItsChannels) {
  TBoardModel model;
  model.Open(1);
  model.Open(2);
  EXPECT_EQ(model.Output(veSetDigitalChannel, 8), 2);
  EXPECT_EQ(model.Output(veOutputAnalogChannel, 2, 0x1FF), 2);
  for (const int32_t channel : {0, DigitalChannels + 1, -1, INT_MIN})
    EXPECT_EQ(model.Output(veSetDigitalChannel, channel), -1) << channel;
  for (const int32_t channel : {0, AnalogChannels + 1, INT_MAX})
    EXPECT_EQ(model.Output(veOutputAnalogChannel, channel, 1), -1) << channel;
  EXPECT_EQ(model.Output(veReadAllAnalog), -1) << "not an output call";
  EXPECT_EQ(model.Boards[2].Digital, 0x80);
  EXPECT_EQ(model.Boards[2].Analog[1], 0xFF) << "the analog value is its low byte";
  EXPECT_EQ(model.Boards[1].Digital, 0) << "board 1 is open, not selected";

  EXPECT_EQ(model.Close(), 2);
  EXPECT_EQ(model.Boards[2].Digital, 0) << "closed: its outputs back to 0";
  EXPECT_FALSE(model.Boards[2].Open);
  EXPECT_EQ(model.Output(veSetAllDigital), -1) << "the selected board is closed";
  EXPECT_TRUE(model.AnyOpen());
}

}  // namespace
