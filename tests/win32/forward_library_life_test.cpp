// The forward library's life under threads, exceptions and the loader: a
// call inside when another thread ends the session, a handler still
// holding the library's exception, a DllMain of the host's closing the
// boards while another thread frees the library, a fault in the caller's
// pointers, forwarding switched on over open virtual boards, the library's
// last error, and the board loaded and freed many times; and a CloseDevice
// that does not wait for the windows to go. A deadlock fails its test
// within seconds (WaitOrEnd), not at the suite's time-out.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "k8055d/vendor_entries.h"
#include "tests/shared/fpu_registers.h"
#include "tests/win32/board_windows.h"
#include "tests/win32/forwarded_board.h"
#include "tests/win32/module_host.h"
#include "tests/win32/structured_exception.h"
#include "virtual_board/test_variants/closing_at_detach.h"
#include "virtual_board/test_variants/raising_open.h"
#include "virtual_board/test_variants/recording_vendor.h"

namespace {


// A thread that makes calls of the test's.
template <typename TWork>
DWORD WINAPI RunWork(void* work) {
  (*static_cast<TWork*>(work))();
  return 0;
}
template <typename TWork>
HANDLE StartThread(TWork& work) {
  return CreateThread(nullptr, 0, RunWork<TWork>, &work, 0, nullptr);
}

// Waits for a thread; one that has not ended within far more time than its
// work takes is deadlocked: the test fails and its process ends at once
// (ExitProcess would wait for the loader's lock).
void WaitOrEnd(HANDLE thread, const char* what) {
  if (WaitForSingleObject(thread, 20000) == WAIT_OBJECT_0) {
    CloseHandle(thread);
    return;
  }
  ADD_FAILURE() << what << ": deadlocked";
  std::fprintf(stderr, "deadlocked: %s\n", what);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 1);
}

HANDLE NamedEvent(void (*name)(char (&)[64], DWORD)) {
  char text[64];
  name(text, GetCurrentProcessId());
  return CreateEventA(nullptr, TRUE, FALSE, text);
}

class ForwardLibraryLife : public TForwardedBoardTest {
 protected:
  void SetUp() override {
    TForwardedBoardTest::SetUp();
    Held = NamedEvent(RecordingHeldEvent);
    Release = NamedEvent(RecordingReleaseEvent);
  }
  void TearDown() override {
    SetEvent(Release);
    TForwardedBoardTest::TearDown();
    CloseHandle(Held);
    CloseHandle(Release);
  }
  HANDLE Held = nullptr, Release = nullptr;
};

// Thread B's SetCurrentDevice is inside the library while the main
// thread's CloseDevice ends the session: B's call gets its line, and the
// next session goes to the library again.
TEST_F(ForwardLibraryLife, ACallInsideAsAnotherThreadEndsTheSessionKeepsItsLineAndForwarding) {
  SetEnvironmentVariableA("VIRTUAL_K8055_HOLD", "SetCurrentDevice");
  ASSERT_NO_FATAL_FAILURE(Load());
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  int32_t selected = 0;
  auto select = [&] { selected = Call("SetCurrentDevice", 0); };
  HANDLE b = StartThread(select);
  ASSERT_EQ(WaitForSingleObject(Held, 20000), WAIT_OBJECT_0);
  Call<void>("CloseDevice");
  SetEvent(Release);
  WaitOrEnd(b, "the call inside");
  EXPECT_EQ(selected, RecordingAnswer(veSetCurrentDevice, 0));

  ASSERT_EQ(Call("OpenDevice", 0), 0);
  EXPECT_EQ(Call("ReadAnalogChannel", 1), RecordingAnswer(veReadAnalogChannel, 1)) << "the library answers again";
  Call<void>("CloseDevice");
  EXPECT_FALSE(RecordingVendorLoaded()) << "loaded as often as freed";
  bool selectLine = false;
  for (const std::string& line : Trace.Lines())
    selectLine = selectLine || line.find(" SetCurrentDevice 0 = " + std::to_string(RecordingAnswer(veSetCurrentDevice, 0))) != std::string::npos;
  EXPECT_TRUE(selectLine) << "the call inside has its line";
}

// The host's handler of the library's exception calls CloseDevice before
// it ends, while the exception's record may still point into the library:
// the library stays loaded until the next session is decided without it.
TEST_F(ForwardLibraryLife, ALibraryThatRaisedStaysLoadedWhileItsExceptionMayBeHandled) {
  ASSERT_NO_FATAL_FAILURE(Load());
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  SetEnvironmentVariableA("VIRTUAL_K8055_RAISE", "SetDigitalChannel");
  EXCEPTION_RECORD raised{};
  bool loadedInHandler = false;
  EXPECT_TRUE(CatchStructuredException([&] { Call<void>("SetDigitalChannel", 3); }, raised));
  SetEnvironmentVariableA("VIRTUAL_K8055_RAISE", nullptr);
  Call<void>("CloseDevice");  // as the handler does
  loadedInHandler = RecordingVendorLoaded();
  EXPECT_TRUE(loadedInHandler) << "freed while its exception was being handled";
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", nullptr);
  EXPECT_EQ(Call("OpenDevice", 0), 0);  // the virtual board
  EXPECT_FALSE(RecordingVendorLoaded()) << "freed as a session starts without it";
  Call<void>("CloseDevice");
}

// A plug-in of the host's closes the boards from its DllMain (the loader's
// lock held) while another thread's forwarded CloseDevice comes back from
// the library and frees it: neither waits for the other.
TEST_F(ForwardLibraryLife, ACloseDeviceUnderTheLoadersLockMeetsAFreeWithoutDeadlock) {
  SetEnvironmentVariableA("VIRTUAL_K8055_HOLD", "CloseDevice");
  ASSERT_NO_FATAL_FAILURE(Load());
  HMODULE plugIn = LoadLibraryA((TModuleHost::BoardFolder("test-recording") + "\\closing_at_detach.dll").c_str());
  ASSERT_NE(plugIn, nullptr);
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  HANDLE go = NamedEvent(DetachGoEvent);
  auto close = [&] {
    Call<void>("CloseDevice");
    SetEvent(go);
  };
  HANDLE t2 = StartThread(close);
  ASSERT_EQ(WaitForSingleObject(Held, 20000), WAIT_OBJECT_0);
  auto freePlugIn = [&] { FreeLibrary(plugIn); };
  HANDLE t1 = StartThread(freePlugIn);
  WaitOrEnd(t1, "the plug-in's DllMain");
  WaitOrEnd(t2, "the forwarded CloseDevice");
  CloseHandle(go);
  EXPECT_TRUE(Eventually([] { return !RecordingVendorLoaded(); }));
}

// A bad pointer of the caller's faults in the caller's own state, with the
// board's lock free: as the library itself, which writes through it.
TEST_F(ForwardLibraryLife, ABadPointerOfTheCallersLeavesTheLockFreeAndTheControlWordAsItWas) {
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", nullptr);
  ASSERT_NO_FATAL_FAILURE(Load());
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  const uint16_t word = ControlWord();
  SetControlWord(0x037B);
  EXCEPTION_RECORD raised{};
  const bool caught = CatchStructuredException(
      [&] { Call<void>("ReadAllAnalog", reinterpret_cast<int32_t*>(16), reinterpret_cast<int32_t*>(16)); }, raised);
  const uint16_t after = ControlWord();
  SetControlWord(word);
  EXPECT_TRUE(caught);
  EXPECT_EQ(raised.ExceptionCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
  EXPECT_EQ(after, 0x037B);
  int32_t version = 0;
  auto ask = [&] { version = Call("Version"); };
  WaitOrEnd(StartThread(ask), "a call of another thread");
  Call<void>("CloseDevice");
}

// Virtual boards 0 and 1 are open when the host turns forwarding on: the
// forwarded session closes them first, so that they answer as closed once
// forwarding is off again.
TEST_F(ForwardLibraryLife, ForwardingSwitchedOnClosesTheOpenVirtualBoards) {
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", nullptr);
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "01");
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
  ASSERT_NO_FATAL_FAILURE(Load());
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  ASSERT_NE(BoardWindow(1), nullptr);
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", RecordingVendor().c_str());
  Call("OpenDevice", 0);
  Call<void>("CloseDevice");
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", nullptr);
  EXPECT_EQ(Call("SetCurrentDevice", 0), -1);
  EXPECT_EQ(Call("SetCurrentDevice", 1), -1);
  EXPECT_TRUE(Eventually([] { return BoardWindow(0) == nullptr && BoardWindow(1) == nullptr; }));
}

// The library's last error reaches the caller, with windows on and off.
TEST_F(ForwardLibraryLife, TheLibrarysLastErrorReachesTheCaller) {
  SetEnvironmentVariableA("VIRTUAL_K8055_LAST_ERROR", "203");
  ASSERT_NO_FATAL_FAILURE(Load());
  for (const char* window : {"1", "0"}) {
    SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", window);
    SetLastError(0);
    EXPECT_EQ(Call("OpenDevice", 0), 0);
    EXPECT_EQ(GetLastError(), 203u) << "windows " << window;
    SetLastError(0);
    Call<void>("CloseDevice");
    EXPECT_EQ(GetLastError(), 203u) << "windows " << window;
  }
}

// The TLS slots that TlsAlloc can still give.
int FreeTlsSlots() {
  std::vector<DWORD> slots;
  for (DWORD slot; (slot = TlsAlloc()) != TLS_OUT_OF_INDEXES;) slots.push_back(slot);
  for (const DWORD slot : slots) TlsFree(slot);
  return static_cast<int>(slots.size());
}

// A host that loads the board, forwards once and frees it, again and
// again, keeps its TLS slots, and the library is freed as often as loaded.
TEST_F(ForwardLibraryLife, LoadedForwardingAndFreedManyTimesTheBoardKeepsNothing) {
  const int slots = FreeTlsSlots();
  for (int round = 0; round < 2000; ++round) {
    ASSERT_NO_FATAL_FAILURE(Load());
    ASSERT_EQ(Call("OpenDevice", 0), 0) << round;
    Call<void>("CloseDevice");
    FreeLibrary(Board);
    Board = nullptr;
  }
  EXPECT_EQ(FreeTlsSlots(), slots);
  EXPECT_FALSE(RecordingVendorLoaded());
}

// The board window's destruction held up on its thread until CloseDevice
// has returned: a CloseDevice that waited for the window would not return.
WNDPROC BoardProc = nullptr;
HANDLE Closed = nullptr;
LRESULT CALLBACK HeldDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) WaitForSingleObject(Closed, INFINITE);
  return CallWindowProcW(BoardProc, window, message, wParam, lParam);
}

TEST_F(ForwardLibraryLife, CloseDeviceReturnsWithoutWaitingForTheWindowsToGo) {
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", nullptr);
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
  ASSERT_NO_FATAL_FAILURE(Load());
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  HWND window = BoardWindow(0);
  ASSERT_NE(window, nullptr);
  Closed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  BoardProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HeldDestroy)));
  ASSERT_NE(BoardProc, nullptr);
  auto close = [&] { Call<void>("CloseDevice"); };
  HANDLE closing = StartThread(close);
  const bool returned = WaitForSingleObject(closing, 20000) == WAIT_OBJECT_0;
  SetEvent(Closed);
  WaitForSingleObject(closing, INFINITE);
  CloseHandle(closing);
  EXPECT_TRUE(returned) << "CloseDevice waited for the window to go";
  FreeLibrary(Board);  // at once: the window thread holds the board until it ends
  Board = nullptr;
  EXPECT_TRUE(Eventually([] { return GetModuleHandleA("k8055d.dll") == nullptr; }));
  CloseHandle(Closed);
}

}  // namespace
