// The virtual board in front of a library as any program may call it: from
// two threads at once, through a library that raises, with the caller's
// thread left exactly as the library leaves it, and a finish after which
// the library is freed and every window gone, as the vendor's library
// closes every board at CloseDevice.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "k8055d/vendor_entries.h"
#include "tests/shared/fpu_registers.h"
#include "tests/win32/board_windows.h"
#include "tests/win32/forwarded_board.h"
#include "tests/win32/module_host.h"
#include "tests/win32/structured_exception.h"
#include "virtual_board/test_variants/raising_open.h"
#include "virtual_board/test_variants/recording_vendor.h"

namespace {

// The virtual board loaded as a program other than the module loads it.
using ForwardedCalls = TForwardedBoardTest;

// A program's worker thread polls the inputs while another opens, writes
// and closes, every call taking a while in the library: no call runs into
// a library freed under it, the two first OpenDevice calls load it once,
// and the last call out frees it.
TEST_F(ForwardedCalls, TwoThreadsAtOnceNeitherCrashNorLeakTheLibrary) {
  SetEnvironmentVariableA("VIRTUAL_K8055_SLOW_CALLS", "1:2");
  ASSERT_NO_FATAL_FAILURE(Load());
  std::atomic<int> ready{0};
  const auto together = [&ready] {
    ++ready;
    while (ready < 2) Sleep(0);
  };
  std::thread outputs([&] {
    together();
    for (int round = 0; round < 25; ++round) {
      Call("OpenDevice", 0);
      Call("SetCurrentDevice", 0);
      Call<void>("SetDigitalChannel", round % 8 + 1);
      Call<void>("CloseDevice");
    }
  });
  std::thread inputs([&] {
    together();
    Call("OpenDevice", 1);
    for (int read = 0; read < 250; ++read) Call("ReadAllDigital");
  });
  outputs.join();
  inputs.join();
  Call<void>("CloseDevice");
  EXPECT_FALSE(RecordingVendorLoaded()) << "loaded as often as freed";
  const std::vector<std::string> lines = Trace.Lines();
  EXPECT_GT(lines.size(), 100u);
}

// A library that raises in SetDigitalChannel and then in CloseDevice, as
// one written in Delphi does: the caller's own frame gets the exception
// unchanged, with the thread as the library left it; the record says that
// the call raised; the board goes on working, and after the CloseDevice
// that raised the boards are closed and the library is freed as the next
// session is decided without it.
TEST_F(ForwardedCalls, AnExceptionOfTheLibraryReachesTheCallerAndTheBoardStaysRight) {
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
  ASSERT_NO_FATAL_FAILURE(Load());
  const uint16_t callersWord = ControlWord();
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  ASSERT_EQ(Call("SetCurrentDevice", 0), RecordingAnswer(veSetCurrentDevice, 0));
  SetEnvironmentVariableA("VIRTUAL_K8055_RAISE", "SetDigitalChannel");
  SetControlWord(callersWord);
  EXCEPTION_RECORD raised{};
  EXPECT_TRUE(CatchStructuredException([&] { Call<void>("SetDigitalChannel", 3); }, raised));
  EXPECT_EQ(raised.ExceptionCode, RaisedExceptionCode);
  EXPECT_EQ(raised.NumberParameters, RaisedArgumentCount);
  EXPECT_EQ(raised.ExceptionInformation[1], 3u) << "the library's own record";
  EXPECT_EQ(ControlWord(), RecordingControlWord) << "as the library left the thread";
  SetControlWord(callersWord);
  EXPECT_EQ(Call("SetCurrentDevice", 0), RecordingAnswer(veSetCurrentDevice, 0)) << "the board goes on";
  ASSERT_NE(BoardWindow(0), nullptr);

  SetEnvironmentVariableA("VIRTUAL_K8055_RAISE", "CloseDevice");
  EXPECT_TRUE(CatchStructuredException([&] { Call<void>("CloseDevice"); }, raised));
  EXPECT_EQ(raised.ExceptionCode, RaisedExceptionCode);
  SetControlWord(callersWord);
  EXPECT_TRUE(Eventually([] { return BoardWindow(0) == nullptr; })) << "the boards are taken as closed";
  EXPECT_TRUE(RecordingVendorLoaded()) << "not freed while its exception is being handled";
  EXPECT_EQ(Call("SetCurrentDevice", 0), -1);
  EXPECT_TRUE(RecordingVendorLoaded()) << "a call of the handler's own";
  SetEnvironmentVariableA("VIRTUAL_K8055_RAISE", nullptr);
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", nullptr);
  EXPECT_EQ(Call("OpenDevice", 0), 0);
  EXPECT_FALSE(RecordingVendorLoaded()) << "freed as a session starts without it";
  Call<void>("CloseDevice");

  std::vector<std::string> raisedLines;
  for (const std::string& line : Trace.Lines())
    if (line.find(" raised 0x0EEDFADE (") != std::string::npos) raisedLines.push_back(line.substr(line.find(' ') + 1));
  ASSERT_EQ(raisedLines.size(), 2u);
  EXPECT_EQ(raisedLines[0].rfind("SetDigitalChannel 3 raised 0x0EEDFADE (", 0), 0u) << raisedLines[0];
  EXPECT_EQ(raisedLines[1].rfind("CloseDevice raised 0x0EEDFADE (", 0), 0u) << raisedLines[1];
}

// What the caller's thread holds after a call: the control word, MXCSR,
// the thread's error mode and an x87 exception left pending.
struct TThreadState {
  uint16_t ControlWord;
  uint32_t Mxcsr;
  DWORD ErrorMode;
  uint16_t Pending;  // the status word's exception flags and summary
  static TThreadState Now() {
    const TThreadState state{::ControlWord(), ::Mxcsr(), GetThreadErrorMode(), StatusWord()};
    asm volatile("fninit");  // a pending exception noted, and dropped with the divide's value
    return state;
  }
  bool operator==(const TThreadState&) const = default;
};

// The caller's state before each call: a Delphi host's control word, MXCSR
// and error mode of its own.
void SetCallersState() {
  SetControlWord(ZeroDivideUnmasked);
  SetMxcsr(0x1F80);
  SetThreadErrorMode(SEM_FAILCRITICALERRORS, nullptr);
}

// The same call straight to the library and through the board: the
// caller's thread is left the same, a pending zero divide too, which the
// board's own work (settings, record) neither raises nor drops.
TEST_F(ForwardedCalls, TheCallerIsLeftWhatTheLibraryLeavesAsWithoutTheBoard) {
  SetEnvironmentVariableA("VIRTUAL_K8055_LEAVE_PENDING", "1");
  HMODULE library = LoadLibraryA(RecordingVendor().c_str());
  ASSERT_NE(library, nullptr);
  using TOpen = int32_t(__stdcall*)(int32_t);
  const auto open = reinterpret_cast<TOpen>(reinterpret_cast<void (*)()>(GetProcAddress(library, "OpenDevice")));
  const DWORD errorMode = GetThreadErrorMode();
  const uint16_t word = ControlWord();
  const uint32_t mxcsr = Mxcsr();
  SetCallersState();
  open(0);
  const TThreadState direct = TThreadState::Now();
  ASSERT_NO_FATAL_FAILURE(Load());
  SetCallersState();
  Call("OpenDevice", 0);
  const TThreadState through = TThreadState::Now();
  SetCallersState();
  Call<void>("CloseDevice");
  TThreadState::Now();
  FreeLibrary(library);
  SetControlWord(word);
  SetMxcsr(mxcsr);
  SetThreadErrorMode(errorMode, nullptr);
  EXPECT_EQ(direct.ControlWord & ~0x0040, ZeroDivideUnmasked) << "the library leaves the divide pending";
  EXPECT_EQ(direct.Pending & 0x0084, 0x0084);
  EXPECT_EQ(direct.Mxcsr, RecordingMxcsr);
  EXPECT_EQ(direct.ErrorMode, RecordingErrorMode);
  EXPECT_EQ(through, direct);
}

// The virtual boards' own work leaves the caller's thread as it found it:
// a pending exception of the caller's stays pending, not raised inside the
// board, and nothing else changes.
TEST_F(ForwardedCalls, TheVirtualBoardsChangeNothingOfTheCallers) {
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", nullptr);
  ASSERT_NO_FATAL_FAILURE(Load());
  const DWORD errorMode = GetThreadErrorMode();
  const uint16_t word = ControlWord();
  const uint32_t mxcsr = Mxcsr();
  SetCallersState();
  const TThreadState before{ControlWord(), Mxcsr(), GetThreadErrorMode(), 0};
  LeaveZeroDividePending();
  Call("OpenDevice", 0);
  Call<void>("SetDigitalChannel", 1);
  Call<void>("CloseDevice");
  const TThreadState after = TThreadState::Now();
  SetControlWord(word);
  SetMxcsr(mxcsr);
  SetThreadErrorMode(errorMode, nullptr);
  EXPECT_EQ(after.ControlWord & ~0x0040, before.ControlWord & ~0x0040);
  EXPECT_EQ(after.Mxcsr, before.Mxcsr);
  EXPECT_EQ(after.ErrorMode, before.ErrorMode);
  EXPECT_EQ(after.Pending & 0x0084, 0x0084) << "the caller's pending divide is still its own";
}

// The module's finish against a library that closes every board at
// CloseDevice: SetCurrentDevice 0, CloseDevice, SetCurrentDevice 1 answered
// -1, CloseDevice. Both boards are closed then: every window goes, and the
// library is freed.
TEST(ForwardedFinish, ALibraryThatClosesEveryBoardIsFreedWithEveryWindowGone) {
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", RecordingVendor().c_str());
  SetEnvironmentVariableA("VIRTUAL_K8055_CLOSE_ALL", "1");
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
  {
    TModuleHost host("full");
    TOutputInstance* card1 = host.Api.create(1);
    TOutputInstance* card2 = host.Api.create(2);
    host.Api.open(card1, "1");
    host.Api.open(card2, "2");
    ASSERT_NE(BoardWindow(0), nullptr);
    ASSERT_NE(BoardWindow(1), nullptr);
    host.Api.destroy(card1);
    host.Api.destroy(card2);
    host.Finish();
    EXPECT_TRUE(Eventually([] { return BoardWindow(0) == nullptr && BoardWindow(1) == nullptr; }));
    EXPECT_FALSE(RecordingVendorLoaded());
    const std::vector<std::string> calls = host.Calls();
    EXPECT_EQ(std::vector<std::string>(calls.end() - 4, calls.end()),
              (std::vector<std::string>{"SetCurrentDevice 0", "CloseDevice", "SetCurrentDevice 1", "CloseDevice"}));
  }
  for (const char* name : {"VIRTUAL_K8055_FORWARD", "VIRTUAL_K8055_CLOSE_ALL", "VIRTUAL_K8055_WINDOW"})
    SetEnvironmentVariableA(name, nullptr);
}

}  // namespace
