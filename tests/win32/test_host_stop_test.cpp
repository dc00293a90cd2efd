// Closing the console, logging off and shutting down still reach finish:
// Windows ends the process as soon as the console handler, or the window
// told of the session's end, returns; each test does just that to a
// playing test host and then looks for the board's closing in its record.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win32/module_host.h"
#include "tests/win32/test_host_run.h"

namespace {

using TCalls = std::vector<std::string>;

class TestHostStop : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string text;
    for (int ms = 0; ms <= 60000; ms += 100) text += std::to_string(ms) + ",1," + std::to_string(ms / 100 % 2) + "\n";
    Rows = std::make_unique<TTempFile>(text);
  }
  // A test host playing a minute of rows, once its first rows reached the board.
  std::unique_ptr<THostProcess> StartPlaying() {
    auto host = std::make_unique<THostProcess>(std::vector<std::string>{"--vendor-dir", FullBoardFolder(), "play",
                                                                        Rows->Path()});
    for (int tries = 0; tries < 200 && Trace.Calls().size() < 6; ++tries) Sleep(50);
    EXPECT_GE(Trace.Calls().size(), 6u) << "play did not start";
    return host;
  }
  // The board's record ends with finish closing it.
  void ExpectFinished() {
    const TCalls calls = Trace.Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(TCalls(calls.end() - 2, calls.end()), (TCalls{"SetCurrentDevice 0", "CloseDevice"}));
  }
  TBoardTrace Trace;
  std::unique_ptr<TTempFile> Rows;
};

TEST_F(TestHostStop, ConsoleClosedReachesFinish) {
  std::unique_ptr<THostProcess> host = StartPlaying();
  // What Windows does when the console closes: a thread of the process runs
  // the console's control routine with CTRL_CLOSE_EVENT; once it returns,
  // the process is ended.
  auto controlRoutine = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CtrlRoutine")));
  ASSERT_NE(controlRoutine, nullptr);
  HANDLE thread = CreateRemoteThread(host->Process(), nullptr, 0, controlRoutine,
                                     reinterpret_cast<void*>(static_cast<uintptr_t>(CTRL_CLOSE_EVENT)), 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
  TerminateProcess(host->Process(), 99);
  CloseHandle(thread);
  host->Wait();
  ExpectFinished();
}

TEST_F(TestHostStop, SessionEndReachesFinish) {
  std::unique_ptr<THostProcess> host = StartPlaying();
  // What Windows does at logoff: WM_QUERYENDSESSION, then WM_ENDSESSION to
  // each top-level window; once they return, the process is ended.
  HWND window = host->WaitForWindow("TarnwellHostSessionEnd", true);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  TerminateProcess(host->Process(), 99);
  host->Wait();
  ExpectFinished();
}

}  // namespace
