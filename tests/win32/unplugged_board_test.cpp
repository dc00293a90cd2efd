// A board unplugged while a show runs, as the vendor's library drops it:
// the module sends it nothing more, so the other board gets exactly what
// was sent to it, every shown panel's card list tells the board is not
// available, and finish still closes every board the library holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/board_windows.h"
#include "tests/win32/panel_host_window.h"
#include "virtual_board/board_window_paint.h"

namespace {

// Boards 0 and 1 (cards 1 and 2), board 0 pulled out at the virtual
// board's 60th call, in the middle of a show that switches a channel of
// each card in turn. Before the mend, a command for card 1 after the drop
// went to board 1, the board selected before.
TEST(UnpluggedBoard, TheOtherBoardGetsExactlyWhatWasSentToItAndTheListTellsTheTruth) {
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
  SetEnvironmentVariableA("VIRTUAL_K8055_UNPLUG", "0@60");
  {
    TShownPanel panel("full", "0,1", "1");
    ASSERT_NE(panel.Window.Combo(), nullptr);
    TModuleHost& host = panel.Host;
    TOutputInstance* card2 = host.Api.create(2);
    host.Api.open(card2, "2");
    THostWindow window2;  // card 2's panel, whose instance never sees the drop
    host.Api.show(card2, window2.Handle);
    HWND combo2 = FindWindowExA(FindWindowExA(window2.Handle, nullptr, PanelClass, PanelCaption), nullptr,
                                "ComboBox", nullptr);
    ASSERT_NE(combo2, nullptr);
    std::vector<uint16_t> on(1024, 65535), off(1024, 0);
    uint8_t board1 = 0;  // what was sent to card 2
    for (int round = 0; round < 60; ++round) {
      const int channel = round % 8 + 1;
      host.Api.action(panel.Instance, channel, 0, 0, 0, (round / 8) % 2 ? off.data() : on.data());
      const int other = (round * 3) % 8 + 1;
      const bool lit = round % 3 != 0;
      host.Api.action(card2, other, 0, 0, 0, lit ? on.data() : off.data());
      board1 = static_cast<uint8_t>(lit ? board1 | 1u << (other - 1) : board1 & ~(1u << (other - 1)));
    }
    HWND window1 = BoardWindow(1);
    ASSERT_NE(window1, nullptr);
    EXPECT_TRUE(Eventually([&] {
      for (int n = 1; n <= 8; ++n)
        if ((Lamp(window1, n) == LampOn) != ((board1 >> (n - 1) & 1) != 0)) return false;
      return true;
    })) << "board 1's lamps are card 2's outputs alone";

    const std::vector<std::string> lines = host.Trace().Lines();
    size_t dropped = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].find(" SetCurrentDevice 0 = -1 ") == std::string::npos) continue;
      ++dropped;
      ASSERT_LT(i + 1, lines.size());
      EXPECT_NE(lines[i + 1].find(" SetCurrentDevice 1 = 1 "), std::string::npos)
          << "nothing sent after a select answered -1: " << lines[i + 1];
    }
    EXPECT_EQ(dropped, 1u) << "tried once, then never again";

    EXPECT_EQ(ListEntries(combo2).at(1).Text, "0 (open)") << "refreshed on the panel's thread, not in the call";
    PumpMessages();  // the lists' refresh, posted by the output call
    const std::vector<TListEntry> entries = ListEntries(panel.Window.Combo());
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[1].Text, "0 (not available)");
    EXPECT_EQ(entries[2].Text, "1 (open)");
    EXPECT_EQ(Selection(panel.Window.Combo()), 1) << "card 1 stays chosen";
    const std::vector<TListEntry> entries2 = ListEntries(combo2);
    ASSERT_EQ(entries2.size(), 5u);
    EXPECT_EQ(entries2[1].Text, "0 (not available)") << "the other instance's panel too";
    EXPECT_EQ(entries2[2].Text, "1 (open)");
    EXPECT_EQ(Selection(combo2), 2);
    host.Api.destroy(card2);
  }
  SetEnvironmentVariableA("VIRTUAL_K8055_UNPLUG", nullptr);
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", nullptr);
}

// Card 1 alone on boards 0 and 1, board 0 pulled out during the show: its
// OpenDevice opened board 1 too, which no slot names. finish closes the
// dropped card as an open one, so the record ends with a CloseDevice after
// the select that answered -1, and board 1's window goes with it.
TEST(UnpluggedBoard, FinishAfterADropLeavesTheLibraryWithNoBoardOpen) {
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
  SetEnvironmentVariableA("VIRTUAL_K8055_UNPLUG", "0@3");
  {
    TModuleHost host("full");
    SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,1");
    TOutputInstance* card1 = host.Api.create(1);
    host.Api.open(card1, "1");
    std::vector<uint16_t> on(1024, 65535);
    for (int round = 0; round < 3; ++round) host.Api.action(card1, 1, 0, 0, 0, on.data());
    ASSERT_NE(BoardWindow(1), nullptr);
    host.Api.destroy(card1);
    host.Finish();
    EXPECT_EQ(host.Calls(), (std::vector<std::string>{"OpenDevice 0", "SetCurrentDevice 0", "SetDigitalChannel 1",
                                                      "SetCurrentDevice 0", "SetCurrentDevice 0", "CloseDevice"}));
    const std::vector<std::string> lines = host.Trace().Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[lines.size() - 2].find(" SetCurrentDevice 0 = -1 "), std::string::npos);
    EXPECT_NE(lines[3].find(" SetDigitalChannel 1 failed: board 0 dropped "), std::string::npos) << lines[3];
    EXPECT_TRUE(Eventually([] { return BoardWindow(1) == nullptr; })) << "board 1 closed";
  }
  SetEnvironmentVariableA("VIRTUAL_K8055_UNPLUG", nullptr);
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", nullptr);
}

}  // namespace
