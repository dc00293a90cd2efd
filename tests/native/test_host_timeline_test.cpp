// The timeline: a call record read back and replayed on the virtual board's
// model, bad records refused by line, and the page's structure: a board
// per card address that got outputs, its lanes and their changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>
#include <string>
#include <vector>

#include "test_host/timeline/call_record.h"
#include "test_host/commands/command_line.h"
#include "test_host/commands/command_table.h"
#include "test_host/timeline/timeline_page.h"
#include "tests/shared/markup_check.h"

namespace {

const char KnownRecord[] =
    "# session 2025-01-31 14:02:11.123\r\n"
    "0.000 OpenDevice 0\r\n"
    "0.010 OpenDevice 1\r\n"
    "0.020 OpenDevice 2\r\n"
    "1.000 SetCurrentDevice 0\r\n"
    "1.001 SetDigitalChannel 3\r\n"
    "5.000 SetCurrentDevice 1\r\n"
    "5.001 OutputAnalogChannel 1 128\r\n"
    "10.000 SetCurrentDevice 0\r\n"
    "10.001 ClearDigitalChannel 3\r\n"
    "12.000 ReadAllAnalog\r\n"
    "12.500 SetCurrentDevice 0\r\n"
    "12.501 CloseDevice\r\n";

std::vector<TRecordSession> Parse(const std::string& text) {
  std::vector<TRecordSession> sessions;
  std::string error;
  EXPECT_TRUE(ParseCallRecord(text, sessions, error)) << error;
  return sessions;
}

std::vector<TLevelChange> Changes(std::initializer_list<TLevelChange> changes) { return changes; }

TEST(TestHostCallRecord, ReplaysTheCallsOnTheBoards) {
  const std::vector<TRecordSession> sessions = Parse(KnownRecord);
  ASSERT_EQ(sessions.size(), 1u);
  const TRecordSession& session = sessions[0];
  EXPECT_EQ(session.Started, "2025-01-31 14:02:11.123");
  EXPECT_EQ(session.Calls, 12u);
  EXPECT_EQ(session.FirstLine, 2);
  EXPECT_EQ(session.LastLine, 13);
  EXPECT_EQ(session.LastUs, 12501);
  const TBoardLanes& board0 = session.Boards[0];
  EXPECT_TRUE(board0.Opened && board0.GotOutput);
  EXPECT_EQ(board0.Changes, 2u);
  EXPECT_EQ(board0.Lanes[2], Changes({{0, 0}, {1001, 1}, {10001, 0}, {12501, ClosedLevel}}));
  EXPECT_EQ(board0.Lanes[0], Changes({{0, 0}, {12501, ClosedLevel}}));
  const TBoardLanes& board1 = session.Boards[1];
  EXPECT_EQ(board1.Lanes[8], Changes({{10, 0}, {5001, 128}, {12501, ClosedLevel}}))  // analog 1
      << "CloseDevice closes every board";
  EXPECT_EQ(board1.Changes, 1u);
  EXPECT_TRUE(session.Boards[2].Opened);
  EXPECT_FALSE(session.Boards[2].GotOutput);
  EXPECT_FALSE(session.Boards[3].Opened);
}

TEST(TestHostCallRecord, EachLoadIsASessionOfItsOwn) {
  const std::vector<TRecordSession> sessions =
      Parse("0.0 OpenDevice 0\n5 SetAllDigital\n# session 2025-02-01 09:00:00.000\n\n# a note\n"
            "0.000 SetDigitalChannel 1\n0.5 OpenDevice 3\n0.5 WriteAllDigital 5\n");
  ASSERT_EQ(sessions.size(), 2u);
  EXPECT_EQ(sessions[0].Started, "");
  EXPECT_EQ(sessions[0].Boards[0].Lanes[7], Changes({{0, 0}, {5000, 1}}));
  EXPECT_EQ(sessions[1].Started, "2025-02-01 09:00:00.000");
  EXPECT_EQ(sessions[1].FirstLine, 6);
  // A new load starts with every board closed: the output before OpenDevice
  // reached none.
  EXPECT_FALSE(sessions[1].Boards[0].GotOutput);
  EXPECT_EQ(sessions[1].Boards[3].Lanes[0], Changes({{500, 0}, {500, 1}}));
  EXPECT_EQ(sessions[1].Boards[3].Lanes[1], Changes({{500, 0}}));
}

TEST(TestHostCallRecord, TwoProcessesRecordingAtOnceStayApart) {
  const std::vector<TRecordSession> sessions = Parse(
      "0.000 OpenDevice 3\r\n"  // an older record's untagged lines before
      "# session 2025-01-31 14:02:11.123 @40\r\n"
      "# session 2025-01-31 14:02:11.500 @7\r\n"
      "5.000 OpenDevice 0 @40\r\n"
      "1.000 OpenDevice 0 @7\r\n"  // its own clock: earlier than the line before is no fault
      "6.000 SetDigitalChannel 1 @40\r\n"
      "2.000 SetDigitalChannel 2 @7\r\n"
      "3.000 CloseDevice @7\r\n"
      "# session 2025-01-31 14:03:00.000 @7\r\n"  // a second load of process 7
      "0.500 OpenDevice 1 @7\r\n"
      "9.000 CloseDevice @40\r\n");
  ASSERT_EQ(sessions.size(), 4u);
  EXPECT_EQ(sessions[0].Process, "");
  EXPECT_EQ(sessions[0].Calls, 1u);
  EXPECT_EQ(sessions[1].Process, "40");
  EXPECT_EQ(sessions[1].Started, "2025-01-31 14:02:11.123");
  EXPECT_EQ(sessions[1].Calls, 3u);
  EXPECT_EQ(sessions[1].Boards[0].Lanes[0], Changes({{5000, 0}, {6000, 1}, {9000, ClosedLevel}}));
  EXPECT_EQ(sessions[2].Process, "7");
  EXPECT_EQ(sessions[2].Calls, 3u);
  EXPECT_EQ(sessions[2].Boards[0].Lanes[1], Changes({{1000, 0}, {2000, 1}, {3000, ClosedLevel}}));
  EXPECT_TRUE(sessions[2].Boards[0].Lanes[0].size() == 2u);  // opened and closed, never on
  EXPECT_EQ(sessions[3].Process, "7");
  EXPECT_EQ(sessions[3].Started, "2025-01-31 14:03:00.000");
  EXPECT_TRUE(sessions[3].Boards[1].Opened);
  const std::string page = TimelinePage(sessions, "calls.txt");
  EXPECT_NE(page.find("Session 2 of 4, started 2025-01-31 14:02:11.123, process 40"), std::string::npos);
}

TEST(TestHostCallRecord, ALineItCannotReadIsNamed) {
  const struct {
    const char* Text;
    const char* Error;
  } cases[] = {
      {"", "no calls in the record"},
      {"# session 2025-01-31 14:02:11.123\r\n\r\n", "no calls in the record"},
      {"OpenDevice 0\n", "line 1: the time \"OpenDevice\" is not a number of milliseconds such as 12.345"},
      {"0.0 OpenDevice 0\n-1 CloseDevice\n", "line 2: the time \"-1\" is not a number of milliseconds such as 12.345"},
      {"1. CloseDevice\n", "line 1: the time \"1.\" is not a number of milliseconds such as 12.345"},
      {"1.2.3 CloseDevice\n", "line 1: the time \"1.2.3\" is not a number of milliseconds such as 12.345"},
      {"1234567890123 CloseDevice\n",
       "line 1: the time \"1234567890123\" is not a number of milliseconds such as 12.345"},
      {"1.0\n", "line 1: \"\" is not an entry point of k8055d.dll"},
      {"1.0 opendevice 0\n", "line 1: \"opendevice\" is not an entry point of k8055d.dll"},
      {"1.0 SetDigitalChannel\n", "line 1: SetDigitalChannel takes 1 argument, not 0"},
      {"1.0 OutputAnalogChannel 1 2 3\n", "line 1: OutputAnalogChannel takes 2 arguments, not 3"},
      {"1.0 ReadAllAnalog 0 0\n", "line 1: ReadAllAnalog takes 0 arguments, not 2"},
      {"1.0 SetDigitalChannel x\n", "line 1: the argument \"x\" of SetDigitalChannel is not a whole number"},
      {"1.0 SetDigitalChannel 2147483648\n",
       "line 1: the argument \"2147483648\" of SetDigitalChannel is not a whole number"},
      {"2.0 ReadAllDigital\n1.999 ReadAllDigital\n", "line 2: the time 1.999 is earlier than the call before"},
      // What a forwarded session's line adds.
      {"1.0 ReadCounter 1 = x\n", "line 1: the result \"x\" of ReadCounter is not a whole number"},
      {"1.0 ReadCounter 1 =\n", "line 1: the result \"\" of ReadCounter is not a whole number"},
      {"1.0 ReadCounter 1 = 4 (12 ms)\n",
       "line 1: the time in the library \"(12 ms)\" is not a number of microseconds such as (950 us)"},
      {"1.0 CloseDevice (-3 us)\n",
       "line 1: the time in the library \"(-3 us)\" is not a number of microseconds such as (950 us)"},
      {"1.0 CloseDevice (3 us) 4\n",
       "line 1: \"4\" after the arguments of CloseDevice is not \"= RESULT\", \"raised 0xCODE\", \"(N us)\" or "
       "\"failed: board N dropped\""},
      {"1.0 OpenDevice 0 raised C0000005\n",
       "line 1: the exception code \"C0000005\" of OpenDevice is not 0x and eight hexadecimal digits"},
      {"1.0 OpenDevice 0 raised 0xc0000005\n",
       "line 1: the exception code \"0xc0000005\" of OpenDevice is not 0x and eight hexadecimal digits"},
      {"1.0 OpenDevice 0 raised 0xC0000005 = 1\n",
       "line 1: \"=\" after the arguments of OpenDevice is not \"= RESULT\", \"raised 0xCODE\", \"(N us)\" or "
       "\"failed: board N dropped\""},
      {"1.0 SetDigitalChannel = 1\n", "line 1: SetDigitalChannel takes 1 argument, not 0"},
      // A failed transfer's mark.
      {"1.0 SetDigitalChannel 3 failed: board 4 dropped\n",
       "line 1: the failed transfer of SetDigitalChannel does not name its board as in \"failed: board 0 dropped\""},
      {"1.0 SetDigitalChannel 3 failed:\n",
       "line 1: the failed transfer of SetDigitalChannel does not name its board as in \"failed: board 0 dropped\""},
      {"1.0 SetDigitalChannel failed: board 0 dropped\n", "line 1: SetDigitalChannel takes 1 argument, not 0"},
  };
  for (const auto& c : cases) {
    std::vector<TRecordSession> sessions;
    std::string error;
    EXPECT_FALSE(ParseCallRecord(c.Text, sessions, error)) << c.Text;
    EXPECT_EQ(error, c.Error) << c.Text;
  }
}

// A forwarded session: each line with the library's result where the entry
// point has one, and the time the call spent in the library.
const char ForwardedRecord[] =
    "# session 2025-01-31 14:02:11.123\r\n"
    "0.000 OpenDevice 0 = 0 (800 us)\r\n"
    "0.900 OpenDevice 1 = -1 (750 us)\r\n"
    "1.000 SetCurrentDevice 0 = 0 (20 us)\r\n"
    "1.001 SetDigitalChannel 3 (1200 us)\r\n"
    "400.000 SetCurrentDevice 0 = 0 (15 us)\r\n"
    "400.100 ReadCounter 1 = 42 (35000 us)\r\n"
    "1500.000 SetCurrentDevice 0 = 0 (10 us)\r\n"
    "1500.100 CloseDevice (900 us)\r\n";

TEST(TestHostCallRecord, AForwardedSessionsResultsAndTimesInTheLibrary) {
  const std::vector<TRecordSession> sessions = Parse(ForwardedRecord);
  ASSERT_EQ(sessions.size(), 1u);
  const TRecordSession& session = sessions[0];
  EXPECT_EQ(session.Calls, 8u);
  // OpenDevice 1 answered -1: that board never opened.
  EXPECT_TRUE(session.Boards[0].Opened);
  EXPECT_FALSE(session.Boards[1].Opened);
  EXPECT_EQ(session.Boards[0].Lanes[2], Changes({{0, 0}, {1001, 1}, {1500100, ClosedLevel}}));
  ASSERT_EQ(session.Boards[0].LibraryCalls.size(), 7u);  // all but OpenDevice 1, which was for board 1
  EXPECT_EQ(session.Boards[1].LibraryCalls.size(), 1u);
  EXPECT_EQ(session.Boards[0].LibraryCalls[0].SpentUs, 800);
  EXPECT_EQ(session.LibraryCallTimes.size(), 8u);
  EXPECT_EQ(session.Slowest.Call, "ReadCounter 1");
  EXPECT_EQ(session.Slowest.Line, 7);
  EXPECT_EQ(session.Slowest.Time.TimeUs, 400100);
  EXPECT_EQ(session.Slowest.Time.SpentUs, 35000);
  int64_t start = 0;
  EXPECT_EQ(BusiestSecond(session, start), 6u);  // 0.000 ... 400.100 ms
  EXPECT_EQ(start, 0);

  // An old record has none of it.
  const TRecordSession old = Parse(KnownRecord)[0];
  EXPECT_TRUE(old.LibraryCallTimes.empty());
  EXPECT_EQ(BusiestSecond(old, start), 0u);
}

// A call through which the library raised: it opened nothing, and a
// CloseDevice that raised leaves the boards closed, as its caller takes them.
const char RaisingRecord[] =
    "0.000 OpenDevice 0 = 0 (800 us)\r\n"
    "0.900 OpenDevice 1 raised 0x0EEDFADE (750 us)\r\n"
    "1.000 SetCurrentDevice 0 = 0 (20 us)\r\n"
    "1.001 SetDigitalChannel 3 (1200 us)\r\n"
    "2.000 CloseDevice raised 0xC0000005 (3 us)\r\n";

TEST(TestHostCallRecord, ACallThatRaisedChangesNothingButACloseDevice) {
  const TRecordSession session = Parse(RaisingRecord).at(0);
  EXPECT_FALSE(session.Boards[1].Opened);
  EXPECT_EQ(session.Boards[0].Lanes[2], Changes({{0, 0}, {1001, 1}, {2000, ClosedLevel}}));
  EXPECT_EQ(session.Boards[1].LibraryCalls.size(), 1u) << "the raised OpenDevice's time in the library";
}

// Board 0 pulled out while held: the output call whose transfer failed
// reached no board and changed no lane; the board is closed from there on.
TEST(TestHostCallRecord, ACallWhoseTransferFailedReachesNoBoardAndDropsIt) {
  const TRecordSession session = Parse(
      "0.000 OpenDevice 0 = 0\r\n"
      "1.000 SetCurrentDevice 0 = 0\r\n"
      "1.001 SetDigitalChannel 3\r\n"
      "2.000 SetCurrentDevice 0 = 0\r\n"
      "2.001 SetDigitalChannel 4 failed: board 0 dropped\r\n"
      "3.000 SetCurrentDevice 0 = -1\r\n"
      "3.001 CloseDevice\r\n").at(0);
  const TBoardLanes& board = session.Boards[0];
  EXPECT_EQ(board.Lanes[3], Changes({{0, 0}, {2001, ClosedLevel}})) << "digital 4 never went on";
  EXPECT_EQ(board.Lanes[2], Changes({{0, 0}, {1001, 1}, {2001, ClosedLevel}}));
  EXPECT_EQ(board.Changes, 1u);
  EXPECT_EQ(board.TransferFailed, std::vector<int64_t>{2001});
}

// Addresses that are no card address open no board, and a forwarded call
// for one counts for the session but for none of its four boards.
TEST(TestHostCallRecord, AddressesOutsideTheBoardsOpenNothing) {
  const std::vector<TRecordSession> sessions = Parse(
      "# session 2025-01-31 14:02:11.123\r\n"
      "0.000 OpenDevice 4\r\n"
      "0.010 OpenDevice -1\r\n"
      "0.020 OpenDevice 2147483647 = 7 (5 us)\r\n"
      "1.000 SetCurrentDevice 4 = -1 (3 us)\r\n"
      "1.001 SetDigitalChannel 3\r\n"
      "1.002 CloseDevice\r\n");
  ASSERT_EQ(sessions.size(), 1u);
  const TRecordSession& session = sessions[0];
  EXPECT_EQ(session.Calls, 6u);
  for (const TBoardLanes& board : session.Boards) {
    EXPECT_FALSE(board.Opened);
    EXPECT_FALSE(board.GotOutput);
    EXPECT_TRUE(board.LibraryCalls.empty());
  }
  EXPECT_EQ(session.LibraryCallTimes.size(), 2u);
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The markup of one lane: from its <g class="lane"...> to its </g>.
std::string Lane(const std::string& page, int address, const char* kind, int channel) {
  const size_t board = page.find("<g class=\"board\" data-address=\"" + std::to_string(address) + "\"");
  const size_t lane = page.find("<g class=\"lane\" data-kind=\"" + std::string(kind) + "\" data-channel=\"" +
                                    std::to_string(channel) + "\"",
                                board);
  if (board == std::string::npos || lane == std::string::npos) return "";
  return page.substr(lane, page.find("</g>", lane) - lane);
}

TEST(TestHostTimelinePage, BoardsLanesAndChangesOfAKnownRecord) {
  const std::string page = TimelinePage(Parse(KnownRecord), "C:\\Shows\\<a & b>.txt");
  std::string problem;
  EXPECT_TRUE(WellNested(page, problem)) << problem;
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(Count(page, "<title>Timeline of C:\\Shows\\&lt;a &amp; b&gt;.txt</title>"), 1u);
  EXPECT_EQ(Count(page, "<a & b>"), 0u);
  EXPECT_EQ(Count(page, "src="), 0u) << "nothing loaded from elsewhere";
  EXPECT_EQ(Count(page, "href="), 0u);

  // The boards that got outputs, each with eight digital lanes and two
  // analog ones; card address 2 only named.
  EXPECT_EQ(Count(page, "<g class=\"board\""), 2u);
  EXPECT_EQ(Count(page, "<g class=\"lane\" data-kind=\"digital\""), 16u);
  EXPECT_EQ(Count(page, "<g class=\"lane\" data-kind=\"analog\""), 4u);
  EXPECT_NE(page.find("OpenDevice also named card address 2, which got no output."), std::string::npos);
  EXPECT_NE(page.find("2025-01-31 14:02:11.123"), std::string::npos);
  EXPECT_NE(page.find("3 changes of the outputs of card addresses 0 and 1."), std::string::npos);

  const std::string digital3 = Lane(page, 0, "digital", 3);
  EXPECT_NE(digital3.find("data-changes=\"2\""), std::string::npos) << digital3;
  EXPECT_EQ(Count(digital3, "Z"), 1u) << "one bar: on from 1.001 to 10.001 ms";
  EXPECT_EQ(Count(Lane(page, 0, "digital", 4), "Z"), 0u);
  const std::string analog1 = Lane(page, 1, "analog", 1);
  EXPECT_NE(analog1.find("data-changes=\"1\""), std::string::npos) << analog1;
  EXPECT_EQ(Count(analog1, "M"), 1u) << analog1;
  EXPECT_EQ(Count(analog1, "V"), 2u) << "up to 128, back to the base: " << analog1;

  // The axis: labelled ticks from 0 on, above and below.
  EXPECT_EQ(Count(page, ">0.000 s</text>"), 2u);
  EXPECT_EQ(Count(page, ">0.010 s</text>"), 2u);
}

TEST(TestHostTimelinePage, AForwardedSessionShowsHowBusyTheLibraryWas) {
  const std::string page = TimelinePage(Parse(ForwardedRecord), "calls.txt");
  std::string problem;
  EXPECT_TRUE(WellNested(page, problem)) << problem;
  EXPECT_EQ(Count(page, "data-kind=\"library\""), 1u);
  EXPECT_NE(page.find("<g class=\"lane\" data-kind=\"library\" data-calls=\"7\" data-slow=\"1\">"),
            std::string::npos);
  EXPECT_NE(page.find("The vendor's library took 8 calls. The slowest, ReadCounter 1 at 400.100 ms (line 7), spent "
                      "35.000 ms in it; at the busiest moment, the second from 0.000 ms on, it got 6 calls."),
            std::string::npos);
  const std::string one = TimelinePage(Parse("1.000 OpenDevice 0 = 0 (800 us)\n"), "calls.txt");
  EXPECT_NE(one.find("it got 1 call."), std::string::npos) << one;
  EXPECT_NE(page.find("key slow"), std::string::npos);
  // An old record's page has no library lane, summary or key.
  const std::string old = TimelinePage(Parse(KnownRecord), "calls.txt");
  EXPECT_EQ(old.find("vendor's library"), std::string::npos);
  EXPECT_EQ(old.find("data-kind=\"library\""), std::string::npos);
}

// The vertical extent of an SVG path's points: its M, H, V, v and Z
// commands, as the page writes them.
struct TExtent {
  double Top = 1e9, Bottom = -1e9;
  void Add(double y) { Top = std::min(Top, y), Bottom = std::max(Bottom, y); }
};

TExtent PathExtent(const std::string& path, double offset) {
  TExtent extent;
  double y = 0, start = 0;
  char command = '\0';  // none yet
  std::vector<double> numbers;
  const auto apply = [&] {
    if (command == 'M' && numbers.size() >= 2) start = y = numbers[1];
    else if (command == 'V' && !numbers.empty()) y = numbers[0];
    else if (command == 'v' && !numbers.empty()) y += numbers[0];
    else if (command == 'Z') y = start;
    if (command == 'Z' || !numbers.empty()) extent.Add(y + offset);
    numbers.clear();
  };
  for (size_t at = 0; at < path.size();) {
    if (std::isalpha(static_cast<unsigned char>(path[at]))) {
      apply();
      command = path[at++];
    } else if (path[at] == ' ') {
      ++at;
    } else {
      size_t length = 0;
      numbers.push_back(std::stod(path.substr(at), &length));
      at += length;
    }
  }
  apply();
  return extent;
}

// The lanes of a page of one session, by board: each lane's kind and its
// extent on the plot, the board's top and its header label's baseline.
struct TDrawnBoard {
  int Top = 0, HeaderBaseline = 0;
  std::vector<std::pair<std::string, TExtent>> Lanes;
};

std::vector<TDrawnBoard> DrawnBoards(const std::string& page) {
  std::vector<TDrawnBoard> boards;
  static const std::regex board("<g class=\"board\" data-address=\"[0-9]\" transform=\"translate\\(0 ([0-9]+)\\)\">");
  static const std::regex lane("<g class=\"lane\" data-kind=\"([a-z]+)\"");
  static const std::regex path(" d=\"([^\"]*)\"");
  static const std::regex header("<text x=\"8\" y=\"([0-9]+)\" class=\"head\">");
  for (std::sregex_iterator at(page.begin(), page.end(), board), end; at != end; ++at) {
    TDrawnBoard drawn;
    drawn.Top = std::stoi((*at)[1]);
    const size_t close = page.find("</g>\n</g>", at->position());
    const std::string markup = page.substr(at->position(), close - at->position());
    for (std::sregex_iterator l(markup.begin(), markup.end(), lane); l != end; ++l) {
      const size_t laneEnd = markup.find("</g>", l->position());
      const std::string laneMarkup = markup.substr(l->position(), laneEnd - l->position());
      TExtent extent;
      for (std::sregex_iterator p(laneMarkup.begin(), laneMarkup.end(), path); p != end; ++p) {
        const TExtent part = PathExtent((*p)[1], drawn.Top);
        if (part.Bottom >= part.Top) extent.Add(part.Top), extent.Add(part.Bottom);
      }
      drawn.Lanes.emplace_back((*l)[1], extent);
    }
    boards.push_back(drawn);
  }
  size_t i = 0;
  for (std::sregex_iterator at(page.begin(), page.end(), header), end; at != end && i < boards.size(); ++at, ++i)
    boards[i].HeaderBaseline = std::stoi((*at)[1]);
  return boards;
}

// Two watched boards, both with a slow call, whose marks stand out of the
// lane: each board's lanes, its Library lane last, lie below its header and
// above the next board's top, the last above the bottom axis.
TEST(TestHostTimelinePage, AWatchedBoardsLibraryLaneStaysWithinItsBoard) {
  const std::string page = TimelinePage(Parse("# session 2025-01-31 14:02:11.123 @7\r\n"
                                              "0.000 OpenDevice 0 = 0 (800 us) @7\r\n"
                                              "1.000 OpenDevice 1 = 1 (750 us) @7\r\n"
                                              "2.000 SetDigitalChannel 1 (25000 us) @7\r\n"
                                              "30.000 SetCurrentDevice 0 = 0 (20 us) @7\r\n"
                                              "31.000 OutputAnalogChannel 2 255 (30000 us) @7\r\n"
                                              "900.000 CloseDevice (900 us) @7\r\n"),
                                        "calls.txt");
  std::smatch match;
  ASSERT_TRUE(std::regex_search(page, match, std::regex("class=\"lanes\" width=\"[0-9]+\" height=\"([0-9]+)\"")));
  ASSERT_TRUE(std::regex_search(page, match, std::regex("<path class=\"axis\" d=\"([^\"]*)\"")));
  const TExtent axes = PathExtent(match[1], 0);
  const std::vector<TDrawnBoard> boards = DrawnBoards(page);
  ASSERT_EQ(boards.size(), 2u);
  for (size_t i = 0; i < boards.size(); ++i) {
    const TDrawnBoard& board = boards[i];
    const double below = i + 1 < boards.size() ? boards[i + 1].Top : axes.Bottom;
    ASSERT_EQ(board.Lanes.size(), 11u);
    EXPECT_EQ(board.Lanes.back().first, "library");
    double above = board.HeaderBaseline;  // each lane below the header and the lanes before it
    for (size_t lane = 0; lane < board.Lanes.size(); ++lane) {
      const TExtent& extent = board.Lanes[lane].second;
      if (extent.Bottom < extent.Top) continue;  // nothing drawn
      EXPECT_GT(extent.Top, above) << "board " << i << ", lane " << lane;
      EXPECT_LE(extent.Bottom, below) << "board " << i << ", lane " << lane;
      above = std::max(above, extent.Bottom);
    }
  }
  // The Library label beside its lane.
  ASSERT_TRUE(std::regex_search(page, match, std::regex("<text x=\"8\" y=\"([0-9]+)\">Library</text>")));
  const TExtent& library = boards[0].Lanes.back().second;
  EXPECT_GT(std::stoi(match[1]), library.Top);
  EXPECT_LE(std::stoi(match[1]), library.Bottom);
}

TEST(TestHostTimelinePage, ThousandsOfChangesStayWithinThePagesPixels) {
  // 20 s of a digital output switching every millisecond and an analog
  // ramp every 2 ms: far more changes than pixels.
  std::string record = "0.000 OpenDevice 0\n";
  for (int ms = 0; ms < 20000; ++ms) {
    record += std::to_string(ms) + ".000 " + (ms % 2 ? "ClearDigitalChannel 1\n" : "SetDigitalChannel 1\n");
    if (ms % 2 == 0) record += std::to_string(ms) + ".500 OutputAnalogChannel 2 " + std::to_string(ms / 2 % 256) + "\n";
    if (ms == 19000) record += "19000.700 SetDigitalChannel 8\n";  // a single pulse
    if (ms == 19500) record += "19500.700 ClearDigitalChannel 8\n";
  }
  record += "20000.000 ClearAllDigital\n";
  const std::vector<TRecordSession> sessions = Parse(record);
  ASSERT_EQ(sessions.size(), 1u);
  EXPECT_EQ(sessions[0].Boards[0].Changes, 20000u + 9999u + 2u);
  const std::string page = TimelinePage(sessions, "calls.txt");
  std::string problem;
  EXPECT_TRUE(WellNested(page, problem)) << problem;
  EXPECT_LT(page.size(), 800u * 1024) << "bounded by the changes, a few bytes each";

  // The switching output: one lighter bar over the 2000 pixels; the pulse
  // solid.
  const std::string digital1 = Lane(page, 0, "digital", 1);
  EXPECT_NE(digital1.find("data-changes=\"20000\""), std::string::npos);
  const std::string busy = digital1.substr(digital1.find("class=\"busy\""));
  EXPECT_EQ(Count(busy, "Z"), 1u) << busy.substr(0, 200);
  EXPECT_EQ(Count(Lane(page, 0, "digital", 8), "Z"), 1u);
  std::smatch width;
  ASSERT_TRUE(std::regex_search(page, width, std::regex("class=\"lanes\" width=\"([0-9]+)\"")));
  EXPECT_EQ(std::stoi(width[1]), 26 + 2000 + 60);
  // Ticks a second apart, labelled in seconds.
  EXPECT_EQ(Count(page, ">7 s</text>"), 2u);
}

TEST(TestHostTimelinePage, LongSessionsCountMinutesAndANoOutputSessionSaysSo) {
  std::string page = TimelinePage(Parse("0 OpenDevice 0\n0 SetDigitalChannel 1\n600000 ClearDigitalChannel 1\n"),
                                  "calls.txt");
  EXPECT_NE(page.find(">1:00</text>"), std::string::npos);  // ten minutes across 24,000 pixels
  EXPECT_NE(page.find(">10:00</text>"), std::string::npos);
  page = TimelinePage(Parse("0 OpenDevice 1\n1 ReadAllDigital\n"), "calls.txt");
  EXPECT_NE(page.find("No output call reached a board."), std::string::npos);
  EXPECT_EQ(Count(page, "<svg"), 0u);
}

TEST(TestHostTimelineCommand, RecordOutAndWhereThePageGoes) {
  TCommand command;
  std::string error;
  ASSERT_TRUE(ParseCommandLine({"timeline", "calls.txt", "--out", "show.html"}, command, error)) << error;
  EXPECT_STREQ(command.Row->Name, "timeline");
  EXPECT_EQ(*command.Row->ArgumentText, "calls.txt");
  ASSERT_EQ(command.Row->Options.size(), 1u);
  const TOption& out = command.Row->Options[0];
  EXPECT_STREQ(out.Name, "--out");
  EXPECT_EQ(*out.Text, "show.html");
  ASSERT_TRUE(ParseCommandLine({"timeline", "calls.txt"}, command, error)) << error;
  EXPECT_EQ(*out.Text, "");
  const struct {
    std::vector<std::string> Args;
    const char* Error;
  } bad[] = {
      {{"timeline"}, "timeline needs a RECORD"},
      {{"timeline", "a.txt", "b.txt"}, "unexpected argument \"b.txt\" (try --help)"},
      {{"timeline", "a.txt", "--out"}, "option --out needs a value"},
      {{"timeline", "a.txt", "--card", "1"}, "timeline does not take --card (try --help)"},
      {{"play", "a.csv", "--out", "b"}, "play does not take --out (try --help)"},
  };
  for (const auto& c : bad) {
    EXPECT_FALSE(ParseCommandLine(c.Args, command, error)) << c.Error;
    EXPECT_EQ(error, c.Error);
  }

  EXPECT_EQ(DefaultTimelinePath("C:\\Shows\\calls.txt"), "C:\\Shows\\calls.html");
  EXPECT_EQ(DefaultTimelinePath("calls"), "calls.html");
  EXPECT_EQ(DefaultTimelinePath("C:\\my.shows\\calls"), "C:\\my.shows\\calls.html");
  EXPECT_EQ(DefaultTimelinePath("calls.html"), "calls.html.html");  // never the record itself
  EXPECT_EQ(DefaultTimelinePath(".record"), ".record.html");
}

}  // namespace
