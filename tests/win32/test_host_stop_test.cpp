// Closing the console, logging off and shutting down still reach finish.
// Windows ends the process as soon as the console handler, or the window
// told of the session's end, returns; each test does just that to a
// playing test host, holding its main thread for a while so that a handler
// that does not wait for finish is caught, then looks for the board's
// closing in its record.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/win32/module_host.h"
#include "tests/win32/test_host_run.h"

namespace {

using TCalls = std::vector<std::string>;

DWORD WINAPI RunDelivery(void* deliver) {
  (*static_cast<std::function<void()>*>(deliver))();
  return 0;
}

class TestHostStop : public ::testing::Test {
 protected:
  // A test host playing a minute of rows, once its first rows reached the board.
  void StartPlaying() {
    std::string text;
    for (int ms = 0; ms <= 60000; ms += 100) text += std::to_string(ms) + ",1," + std::to_string(ms / 100 % 2) + "\n";
    Rows = std::make_unique<TTempFile>(text);
    Host = std::make_unique<THostProcess>(std::vector<std::string>{"--vendor-dir", FullBoardFolder(), "play",
                                                                   Rows->Path()});
    for (int tries = 0; tries < 200 && Trace.Calls().size() < 6; ++tries) Sleep(50);
    EXPECT_GE(Trace.Calls().size(), 6u) << "play did not start";
  }

  // Runs deliver, which returns once the test host's handler has returned,
  // while the host's main thread is held for a second. A handler that
  // returns within that second ends the process then, before the main
  // thread could call finish; otherwise the main thread goes on and the
  // process ends when the handler returns.
  void EndAsWindowsDoes(std::function<void()> deliver) {
    ASSERT_NE(SuspendThread(Host->MainThread()), static_cast<DWORD>(-1));
    HANDLE delivery = CreateThread(nullptr, 0, RunDelivery, &deliver, 0, nullptr);
    ASSERT_NE(delivery, nullptr);
    const bool returnedAtOnce = WaitForSingleObject(delivery, 1000) == WAIT_OBJECT_0;
    if (!returnedAtOnce) {
      ResumeThread(Host->MainThread());
      EXPECT_EQ(WaitForSingleObject(delivery, 10000), WAIT_OBJECT_0);
    }
    TerminateProcess(Host->Process(), 99);
    if (returnedAtOnce) ResumeThread(Host->MainThread());
    CloseHandle(delivery);
    Host->Wait();
  }

  // The board's record ends with finish closing it.
  void ExpectFinished() {
    const TCalls calls = Trace.Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(TCalls(calls.end() - 2, calls.end()), (TCalls{"SetCurrentDevice 0", "CloseDevice"}));
  }

  TBoardTrace Trace;
  std::unique_ptr<TTempFile> Rows;
  std::unique_ptr<THostProcess> Host;
};

TEST_F(TestHostStop, ConsoleClosedReachesFinish) {
  StartPlaying();
  // What Windows does when the console closes: a thread of the process runs
  // the console's control routine with CTRL_CLOSE_EVENT.
  auto controlRoutine = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CtrlRoutine")));
  ASSERT_NE(controlRoutine, nullptr);
  EndAsWindowsDoes([&] {
    HANDLE thread = CreateRemoteThread(Host->Process(), nullptr, 0, controlRoutine,
                                       reinterpret_cast<void*>(static_cast<uintptr_t>(CTRL_CLOSE_EVENT)), 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, 20000);
    CloseHandle(thread);
  });
  ExpectFinished();
}

TEST_F(TestHostStop, SessionEndReachesFinish) {
  StartPlaying();
  // What Windows does at logoff: WM_QUERYENDSESSION, then WM_ENDSESSION to
  // each top-level window of the process, hidden ones too.
  HWND window = Host->WaitForWindow("TarnwellHostSessionEnd", true);
  ASSERT_NE(window, nullptr);
  EndAsWindowsDoes([&] {
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  });
  ExpectFinished();
}

}  // namespace
