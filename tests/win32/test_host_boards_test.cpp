// The test host tells whether anything reached a board: a card that does
// not answer gets nothing and says so (status 3); identify and off drive
// every output of a board; play leaves the outputs off when asked, and
// keeps its time while its output is held.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "tests/win32/module_host.h"
#include "tests/win32/test_host_run.h"

namespace {

using TCalls = std::vector<std::string>;

class TestHostBoards : public ::testing::Test {
 protected:
  void TearDown() override { SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", nullptr); }
  TBoardTrace Trace;
};

// The calls with which the module switches every output of the selected
// board off: eight digital outputs, then both analog ones at 0.
TCalls AllOffCalls(int address) {
  TCalls calls;
  const std::string select = "SetCurrentDevice " + std::to_string(address);
  for (int channel = 1; channel <= 8; ++channel) calls.insert(calls.end(), {select, "ClearDigitalChannel " + std::to_string(channel)});
  for (int channel = 1; channel <= 2; ++channel)
    calls.insert(calls.end(), {select, "OutputAnalogChannel " + std::to_string(channel) + " 0"});
  return calls;
}

TCalls Tail(const TCalls& calls, size_t count) {
  return TCalls(calls.end() - std::min(count, calls.size()), calls.end());
}

TEST_F(TestHostBoards, SetToACardThatDoesNotAnswerSendsNothing) {
  const THostRun run = RunWithBoard({"set", "--card", "2", "--channel", "1", "--value", "1"});
  EXPECT_EQ(run.Status, 3u);
  EXPECT_TRUE(Contains(run.Err, "tarnwell_host: card 2 does not answer (card address 1): nothing sent. The virtual "
                                "board has no board at card address 1: its setting boards = "))
      << run.Err;
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(Trace.Calls(), (TCalls{"OpenDevice 1"}));
}

TEST_F(TestHostBoards, PlaySkipsTheRowsOfCardsThatDoNotAnswer) {
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,2");
  TTempFile rows("0,1,65535\n0,1,65535,2\n10,2,65535,2\n20,9,2000,3\n");
  const THostRun some = RunWithBoard({"play", rows.Path()});
  EXPECT_EQ(some.Status, 3u);
  EXPECT_EQ(some.Err,
            "tarnwell_host: card 2 does not answer (card address 1): 2 rows for it will be skipped\n"
            "tarnwell_host: card 2 (card address 1): The virtual board has no board at card address 1: its setting "
            "boards = 0,2 (VIRTUAL_K8055_BOARDS) does not list 1. Add it there to have one.\n");
  EXPECT_TRUE(Contains(some.Out, "playing " + rows.Path() + ": 4 rows over 0.0 s to cards 1, 3 (Ctrl+C stops)\n"
                                 "played 4 rows in "))
      << some.Out;
  EXPECT_TRUE(Contains(some.Out, "\n2 rows reached no board\n")) << some.Out;
  EXPECT_EQ(Trace.Calls(), (TCalls{"OpenDevice 0", "OpenDevice 1", "OpenDevice 2", "SetCurrentDevice 0",
                                   "SetDigitalChannel 1", "SetCurrentDevice 2", "OutputAnalogChannel 1 100",
                                   "SetCurrentDevice 0", "CloseDevice", "SetCurrentDevice 2", "CloseDevice"}));

  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "none");
  const THostRun none = RunWithBoard({"play", rows.Path()});
  EXPECT_EQ(none.Status, 3u);
  EXPECT_TRUE(Contains(none.Err, "tarnwell_host: play: no card of the file answers: nothing sent\n")) << none.Err;
  EXPECT_EQ(none.Out, "");
}

// Board 0 unplugged in the middle of play: its rows reach no board from
// then on, and play says what happened and what to do.
TEST_F(TestHostBoards, PlayTellsOfABoardUnpluggedOnTheWay) {
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,1");
  SetEnvironmentVariableA("VIRTUAL_K8055_UNPLUG", "0@20");
  std::string text;
  for (int i = 0; i < 20; ++i) text += "0," + std::to_string(i % 8 + 1) + "," + std::to_string(i % 2) + "," +
                                       std::to_string(i % 2 + 1) + "\n";
  TTempFile rows(text);
  const THostRun run = RunWithBoard({"play", rows.Path()});
  SetEnvironmentVariableA("VIRTUAL_K8055_UNPLUG", nullptr);
  EXPECT_EQ(run.Status, 3u);
  EXPECT_TRUE(Contains(run.Err, "tarnwell_host: card 1 (card address 0) stopped answering: a command to it failed, "
                                "and the driver dropped its board (unplugged, or its USB connection lost)"))
      << run.Err;
  EXPECT_FALSE(Contains(run.Err, "card 2 (card address 1) stopped")) << run.Err;
  EXPECT_TRUE(Contains(run.Out, " rows reached no board\n")) << run.Out;
  const TCalls calls = Trace.Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "SetCurrentDevice 0"), 5 + 1 + 1)
      << "selected for its five rows up to the drop and once more, answered -1; not again but by finish";
  EXPECT_EQ(calls.back(), "CloseDevice") << "finish closes the dropped card as an open one";
}

TEST_F(TestHostBoards, PlaySaysWhenItFellBehind) {
  // 30,000 rows all due at the start: the last ones go out well after it.
  std::string text;
  for (int i = 0; i < 30000; ++i) text += "0," + std::to_string(i % 8 + 1) + "," + std::to_string(i % 2) + "\n";
  TTempFile rows(text);
  const THostRun run = RunWithBoard({"play", rows.Path()});
  EXPECT_EQ(run.Status, 0u) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "played 30000 rows in ")) << run.Out;
  EXPECT_TRUE(Contains(run.Out, "\nfell behind the schedule: ")) << run.Out;
}

TEST_F(TestHostBoards, PlayGoesOnWhileItsOutputIsHeld) {
  // A full pipe holds every write as a console does while the user selects
  // text in it: play's rows still go out on time, and its text follows
  // once the pipe is read.
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
  std::thread filler([writeEnd] {
    const std::string block(1 << 20, 'x');
    DWORD written = 0;
    WriteFile(writeEnd, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
  });
  Sleep(500);  // the pipe is full; the filler waits in its write
  TTempFile rows("0,1,65535\n300,1,0\n600,2,65535\n");
  THostProcess play({"--vendor-dir", FullBoardFolder(), "play", rows.Path()}, "", THostProcess::TConsole::Shared, writeEnd);
  const bool played = [&] {
    for (int tries = 0; tries < 100; ++tries, Sleep(100))
      if (Trace.Calls().size() >= 6) return true;
    return false;
  }();
  std::string text;
  std::thread reader([&] {
    char buffer[65536];
    for (DWORD count = 0; ReadFile(readEnd, buffer, sizeof(buffer), &count, nullptr) && count > 0;)
      text.append(buffer, count);
  });
  filler.join();
  CloseHandle(writeEnd);
  const THostRun end = play.Wait();
  reader.join();
  CloseHandle(readEnd);
  EXPECT_TRUE(played) << "the rows went out while the output was held";
  EXPECT_EQ(end.Status, 0u) << end.Err;
  EXPECT_TRUE(Contains(text, "playing " + rows.Path() + ": 3 rows")) << text.substr(text.size() - 200);
  EXPECT_TRUE(Contains(text, "played 3 rows in ")) << text.substr(text.size() - 200);
}

TEST_F(TestHostBoards, PlayOffAtEndLeavesEveryOutputOff) {
  TTempFile rows("0,1,65535\n0,10,65535\n");
  const THostRun run = RunWithBoard({"play", "--off-at-end", rows.Path()});
  EXPECT_EQ(run.Status, 0u) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "played 2 rows in ")) << run.Out;
  EXPECT_TRUE(Contains(run.Out, "\nall outputs of card 1 off\n")) << run.Out;
  TCalls expected = {"OpenDevice 0", "SetCurrentDevice 0", "SetDigitalChannel 1", "SetCurrentDevice 0",
                     "OutputAnalogChannel 2 255"};
  for (const std::string& call : AllOffCalls(0)) expected.push_back(call);
  expected.insert(expected.end(), {"SetCurrentDevice 0", "CloseDevice"});
  EXPECT_EQ(Trace.Calls(), expected);
}

TEST_F(TestHostBoards, IdentifyFlashesEveryOutputThenLeavesThemOff) {
  const THostRun run = RunWithBoard({"identify"});
  EXPECT_EQ(run.Status, 0u) << run.Err;
  EXPECT_EQ(run.Out,
            "card 1 (card address 0): all outputs flash for 3.0 s (Ctrl+C stops)\n"
            "all outputs of card 1 (card address 0) are off\n");
  const TCalls calls = Trace.Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "SetDigitalChannel 8"), 6);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "OutputAnalogChannel 2 255"), 6);
  TCalls ending = AllOffCalls(0);
  ending.insert(ending.end(), {"SetCurrentDevice 0", "CloseDevice"});
  EXPECT_EQ(Tail(calls, ending.size()), ending);

  const THostRun absent = RunWithBoard({"identify", "--card", "4"});
  EXPECT_EQ(absent.Status, 3u);
  EXPECT_TRUE(Contains(absent.Err, "tarnwell_host: card 4 does not answer (card address 3): nothing sent. The "
                                   "virtual board has no board at card address 3"))
      << absent.Err;
}

TEST_F(TestHostBoards, OffOnEveryCardThatAnswersOrOnOne) {
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,2");
  const THostRun every = RunWithBoard({"off"});
  EXPECT_EQ(every.Status, 0u) << every.Err;
  EXPECT_EQ(every.Out, "card 1 (card address 0): all outputs off\ncard 3 (card address 2): all outputs off\n");
  TCalls expected = {"OpenDevice 0", "OpenDevice 1", "OpenDevice 2", "OpenDevice 3"};
  for (int address : {0, 2})
    for (const std::string& call : AllOffCalls(address)) expected.push_back(call);
  expected.insert(expected.end(), {"SetCurrentDevice 0", "CloseDevice", "SetCurrentDevice 2", "CloseDevice"});
  EXPECT_EQ(Trace.Calls(), expected);

  const THostRun absent = RunWithBoard({"off", "--card", "2"});
  EXPECT_EQ(absent.Status, 3u);
  EXPECT_EQ(absent.Err,
            "tarnwell_host: card 2 does not answer (card address 1): nothing sent. The virtual board has no board at "
            "card address 1: its setting boards = 0,2 (VIRTUAL_K8055_BOARDS) does not list 1. Add it there to have "
            "one.\n");

  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "none");
  const THostRun none = RunWithBoard({"off"});
  EXPECT_EQ(none.Status, 3u);
  EXPECT_EQ(none.Err, "tarnwell_host: no card answers: nothing sent\n");
}

}  // namespace
