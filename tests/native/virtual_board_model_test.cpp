// The boards as the vendor's library leaves them, which the virtual board
// answers from and the timeline replays a record on: opening opens every
// board plugged in, a failed select keeps the board selected before,
// closing closes all, the working copy goes to whichever board is
// selected, arguments are clamped, and a board unplugged while open is
// dropped at its next transfer (the fault that sent a dropped board's
// commands to another board).
#include <gtest/gtest.h>

#include <climits>

#include "virtual_board/board_model.h"

namespace {

constexpr uint8_t Boards(std::initializer_list<int> addresses) {
  uint8_t mask = 0;
  for (const int address : addresses) mask = static_cast<uint8_t>(mask | 1u << address);
  return mask;
}

TBoardOutputs Digital(uint8_t digital) { return TBoardOutputs{digital, {0, 0}}; }

TEST(BoardModel, OpeningOpensEveryBoardPluggedInAndAnswersForTheOneAskedFor) {
  TBoardModel model;
  model.SetPlugged(Boards({0, 1, 3}));
  const TBoardCall opened = model.Call(veOpenDevice, 1);
  EXPECT_EQ(opened.Result, 1);
  EXPECT_EQ(opened.Opened, Boards({0, 1, 3}));
  EXPECT_EQ(model.Selected, 1);
  EXPECT_TRUE(model.Boards[0].Open && model.Boards[3].Open && !model.Boards[2].Open);

  for (const int32_t absent : {2, -1, CardAddressCount, INT_MIN, INT_MAX}) {
    const TBoardCall call = model.Call(veOpenDevice, absent);
    EXPECT_EQ(call.Result, -1) << absent;
    EXPECT_EQ(call.Opened, 0) << "the others are open already";
    EXPECT_EQ(model.Selected, 1) << absent;
  }
  EXPECT_EQ(model.Call(veSearchDevices).Result, Boards({0, 1, 3}));
  EXPECT_EQ(model.Call(veVersion).Result, LibraryVersion);
}

TEST(BoardModel, AFailedSelectKeepsTheBoardSelectedBeforeAndASelectLoadsTheKeptOutputs) {
  TBoardModel model;
  model.SetPlugged(Boards({0, 1}));
  model.Call(veOpenDevice, 0);
  EXPECT_EQ(model.Call(veSetCurrentDevice, 0).Result, 0);
  model.Call(veSetDigitalChannel, 1);
  EXPECT_EQ(model.Call(veSetCurrentDevice, 1).Result, 1);
  model.Call(veSetDigitalChannel, 2);
  for (const int32_t address : {2, 3, -1, 4, INT_MIN}) EXPECT_EQ(model.Call(veSetCurrentDevice, address).Result, -1);
  EXPECT_EQ(model.Selected, 1);
  EXPECT_EQ(model.Call(veSetCurrentDevice, 0).Result, 0);
  EXPECT_EQ(model.Working, Digital(0x01)) << "board 0's outputs, not board 1's";
  const TBoardCall call = model.Call(veSetDigitalChannel, 8);
  EXPECT_EQ(call.Reached, 0);
  EXPECT_EQ(model.Boards[0].Own, Digital(0x81));
  EXPECT_EQ(model.Boards[1].Own, Digital(0x02));
}

// OpenDevice selects without loading: the next output gives the opened
// board the working copy of the board selected before.
TEST(BoardModel, AnOutputRightAfterOpeningCarriesTheOutputsOfTheBoardSelectedBefore) {
  TBoardModel model;
  model.SetPlugged(Boards({0}));
  model.Call(veOpenDevice, 0);
  model.Call(veWriteAllDigital, 0x0F);
  model.SetPlugged(Boards({0, 1}));
  model.Call(veOpenDevice, 1);
  model.Call(veSetDigitalChannel, 8);
  EXPECT_EQ(model.Boards[1].Own, Digital(0x8F));
  EXPECT_EQ(model.Boards[0].Own, Digital(0x0F));
}

TEST(BoardModel, ClosingClosesEveryBoardWhichKeepsItsOutputs) {
  TBoardModel model;
  model.SetPlugged(Boards({0, 2}));
  model.Call(veOpenDevice, 2);
  model.Call(veSetAllDigital);
  model.Call(veSetCurrentDevice, 0);
  EXPECT_TRUE(model.Call(veCloseDevice).ClosedAll);
  EXPECT_FALSE(model.AnyOpen());
  EXPECT_EQ(model.Call(veSetCurrentDevice, 2).Result, -1);
  const TBoardCall call = model.Call(veOutputAnalogChannel, 1, 7);
  EXPECT_EQ(call.Reached, -1) << "nothing is sent to a closed board";
  EXPECT_EQ(model.Boards[0].Kept.Analog[0], 7) << "but it is kept as the selected board's";
  EXPECT_EQ(model.Boards[2].Own, Digital(0xFF)) << "the board keeps what it had";
  model.Call(veOpenDevice, 2);
  EXPECT_EQ(model.Call(veSetCurrentDevice, 2).Result, 2);
  EXPECT_EQ(model.Working, Digital(0xFF)) << "nothing resets the outputs";
}

TEST(BoardModel, ChannelsAreClampedAndValuesTakenModulo256) {
  TBoardModel model;
  model.SetPlugged(Boards({0}));
  model.Call(veOpenDevice, 0);
  const struct {
    TVendorEntry Entry;
    int32_t A, B;
    TBoardOutputs Then;
  } cases[] = {
      {veSetDigitalChannel, 0, 0, Digital(0x01)},        {veSetDigitalChannel, 9, 0, Digital(0x81)},
      {veSetDigitalChannel, INT_MAX, 0, Digital(0x81)},  {veClearDigitalChannel, INT_MIN, 0, Digital(0x80)},
      {veWriteAllDigital, 0x1F0, 0, Digital(0xF0)},      {veWriteAllDigital, -1, 0, Digital(0xFF)},
      {veClearAllDigital, 0, 0, Digital(0)},              {veOutputAnalogChannel, 0, 300, {0, {44, 0}}},
      {veOutputAnalogChannel, 3, -1, {0, {44, 255}}},     {veClearAnalogChannel, -7, 0, {0, {0, 255}}},
      {veOutputAllAnalog, 256, 513, {0, {0, 1}}},         {veSetAnalogChannel, 2, 0, {0, {0, 255}}},
      {veSetAllAnalog, 0, 0, {0, {255, 255}}},            {veClearAllAnalog, 0, 0, {0, {0, 0}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(model.Call(c.Entry, c.A, c.B).Reached, 0) << "entry " << c.Entry;
    EXPECT_EQ(model.Boards[0].Own, c.Then) << "entry " << c.Entry << " " << c.A << " " << c.B;
  }
}

// Boards 0 and 1 open, board 0 unplugged: its next transfer fails and the
// library drops it; its select then answers -1 and leaves board 1 selected,
// so a caller that ignores the answer writes to board 1.
TEST(BoardModel, ABoardUnpluggedWhileOpenIsDroppedAtItsNextTransferAndStaysClosed) {
  TBoardModel model;
  model.SetPlugged(Boards({0, 1}));
  model.Call(veOpenDevice, 0);
  model.Call(veSetCurrentDevice, 0);
  model.Call(veSetDigitalChannel, 1);
  model.SetPlugged(Boards({1}));
  EXPECT_EQ(model.Boards[0].Own, Digital(0)) << "a board out has no power";
  EXPECT_EQ(model.Call(veSetCurrentDevice, 0).Result, 0) << "a select makes no transfer";
  const TBoardCall failed = model.Call(veSetDigitalChannel, 2);
  EXPECT_EQ(failed.Dropped, 0);
  EXPECT_EQ(failed.Reached, -1);
  EXPECT_TRUE(model.Boards[0].Dropped && !model.Boards[0].Open);
  EXPECT_EQ(model.Call(veSetCurrentDevice, 1).Result, 1);
  EXPECT_EQ(model.Call(veSetCurrentDevice, 0).Result, -1);
  EXPECT_EQ(model.Call(veSetDigitalChannel, 3).Reached, 1) << "the command reaches board 1";

  model.SetPlugged(Boards({0, 1}));
  EXPECT_EQ(model.Call(veSetCurrentDevice, 0).Result, -1) << "plugged in again, still closed";
  EXPECT_EQ(model.Call(veOpenDevice, 1).Opened, Boards({0})) << "until the next opening";
  EXPECT_FALSE(model.Boards[0].Dropped);
  EXPECT_EQ(model.Call(veSetCurrentDevice, 0).Result, 0);
  EXPECT_EQ(model.Call(veSetDigitalChannel, 4).Reached, 0);
}

// The vendor's library, measured: a board pulled out while open is held
// until a transfer to it fails. Until then its select and its opening
// answer its address (the opening selects it, although the listing no
// longer finds it); the transfer drops it; then -1 and -1 until it is
// plugged in and opened again.
TEST(BoardModel, APulledOutBoardIsHeldUntilATransferToItFails) {
  TBoardModel model;
  model.SetPlugged(Boards({0, 1}));
  model.Call(veOpenDevice, 0);
  model.SetPlugged(Boards({1}));
  EXPECT_EQ(model.Call(veSetCurrentDevice, 1).Result, 1);
  const TBoardCall held = model.Call(veOpenDevice, 0);
  EXPECT_EQ(held.Result, 0) << "held, although the listing misses it";
  EXPECT_EQ(held.Opened, 0);
  EXPECT_EQ(model.Selected, 0);
  EXPECT_EQ(model.Call(veSetCurrentDevice, 0).Result, 0);
  const TBoardCall failed = model.Call(veSetDigitalChannel, 1);
  EXPECT_EQ(failed.Dropped, 0);
  EXPECT_EQ(failed.Reached, -1);
  EXPECT_EQ(model.Call(veSetCurrentDevice, 0).Result, -1);
  EXPECT_EQ(model.Call(veOpenDevice, 0).Result, -1) << "out and no longer held";
  EXPECT_EQ(model.Call(veSetCurrentDevice, 0).Result, -1);
  model.SetPlugged(Boards({0, 1}));
  EXPECT_EQ(model.Call(veSetCurrentDevice, 0).Result, -1) << "back, not opened yet";
  EXPECT_EQ(model.Call(veOpenDevice, 0).Result, 0);
  EXPECT_EQ(model.Call(veSetDigitalChannel, 1).Reached, 0);
}

TEST(BoardModel, AnUnplugBetweenTwoCallsKillsTheConnectionEvenWithTheBoardBack) {
  TBoardModel model;
  model.SetPlugged(Boards({0}));
  model.Call(veOpenDevice, 0);
  model.SetPlugged(0);
  model.SetPlugged(Boards({0}));
  EXPECT_TRUE(model.Boards[0].HandleLost);
  EXPECT_EQ(model.Call(veReadAllDigital).Dropped, 0) << "a read fails too";
  EXPECT_EQ(model.Call(veConnected).Result, 0);
  model.Call(veSearchDevices);
  EXPECT_EQ(model.Call(veConnected).Result, 1);
  EXPECT_EQ(model.Call(veConnected).Reached, 0);
}

// The vendor's library behind the virtual board, followed from its answers.
TEST(BoardModel, HoldFollowsALibrarysAnswers) {
  TBoardModel model;
  EXPECT_TRUE(model.Hold(2, true));
  EXPECT_FALSE(model.Hold(2, true)) << "open already";
  EXPECT_FALSE(model.Hold(7, true));
  EXPECT_EQ(model.Call(veSetCurrentDevice, 2).Result, 2);
  model.Hold(2, false);
  EXPECT_TRUE(model.Boards[2].Dropped);
  EXPECT_EQ(model.Call(veSetCurrentDevice, 2).Result, -1);
}

}  // namespace
