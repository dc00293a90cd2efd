// The virtual board's live window: one per open board, drawn from the calls
// it receives, gone when the boards close; the call record unchanged; the
// window thread ended and the DLL unloadable after finish; the button that
// unplugs a board and plugs it back in, with what the library then does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/win32/board_windows.h"
#include "tests/win32/module_host.h"
#include "virtual_board/board_window_paint.h"

namespace {

using TCalls = std::vector<std::string>;

std::string WindowText(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

// An open board's window and its Unplug / Plug in button, clicked as the
// user clicks it.
struct TBoardPlug {
  HWND Window = nullptr;
  HWND Button = nullptr;
  void Click() const {
    SendMessageA(Window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Button), BN_CLICKED), reinterpret_cast<LPARAM>(Button));
  }
  std::wstring Status() const { return LayoutOf(Window).Status; }
};

void FindPlug(int32_t address, TBoardPlug& plug) {
  plug.Window = BoardWindow(address);
  ASSERT_NE(plug.Window, nullptr);
  plug.Button = FindWindowExA(plug.Window, nullptr, "Button", "Unplug");
  ASSERT_NE(plug.Button, nullptr);
}

class LiveBoard : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
    SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,2");
    Library = LoadLibraryA((TModuleHost::BoardFolder("full") + "\\k8055d.dll").c_str());
    ASSERT_NE(Library, nullptr);
  }
  void TearDown() override {
    SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", nullptr);
    SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", nullptr);
  }
  template <typename... TArgs>
  int32_t Call(const char* name, TArgs... args) {
    using TEntry = int32_t(__stdcall*)(TArgs...);
    return reinterpret_cast<TEntry>(reinterpret_cast<void (*)()>(GetProcAddress(Library, name)))(args...);
  }
  TBoardTrace Trace;
  HMODULE Library = nullptr;
};

TEST_F(LiveBoard, AWindowPerOpenBoardShowsItsOutputs) {
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  ASSERT_EQ(Call("OpenDevice", 2), 2);
  EXPECT_EQ(Call("OpenDevice", 1), -1);
  HWND board0 = BoardWindow(0), board2 = BoardWindow(2);
  ASSERT_NE(board0, nullptr);
  ASSERT_NE(board2, nullptr);
  EXPECT_EQ(BoardWindow(1), nullptr);
  EXPECT_TRUE(IsWindowVisible(board2));

  Call("SetCurrentDevice", 2);
  Call("SetDigitalChannel", 3);
  Call("OutputAnalogChannel", 1, 128);
  Call("OutputAnalogChannel", 2, 255);
  EXPECT_TRUE(Eventually([&] { return Lamp(board2, 3) == LampOn; }));
  EXPECT_EQ(Lamp(board2, 1), LampOff);
  EXPECT_EQ(Lamp(board2, 4), LampOff);
  EXPECT_EQ(BarAt(board2, 1, 120), BarFill);
  EXPECT_EQ(BarAt(board2, 1, 136), BarEmpty);
  EXPECT_EQ(BarAt(board2, 2, 250), BarFill);
  EXPECT_EQ(Lamp(board0, 3), LampOff);  // the other board is untouched
  EXPECT_EQ(BarAt(board0, 1, 10), BarEmpty);

  Call("ClearDigitalChannel", 3);
  Call("SetCurrentDevice", 0);
  Call("SetAllDigital");
  EXPECT_TRUE(Eventually([&] { return Lamp(board2, 3) == LampOff && Lamp(board0, 8) == LampOn; }));

  Call("SetCurrentDevice", 2);
  Call("CloseDevice");  // closes every board, as the vendor's library does
  EXPECT_TRUE(Eventually([] { return BoardWindow(2) == nullptr && BoardWindow(0) == nullptr; }));
  EXPECT_EQ(Call("SetCurrentDevice", 0), -1);
  Call("CloseDevice");

  // The call record is the same as without windows.
  EXPECT_EQ(Trace.Calls(),
            (TCalls{"OpenDevice 0", "OpenDevice 2", "OpenDevice 1", "SetCurrentDevice 2", "SetDigitalChannel 3",
                    "OutputAnalogChannel 1 128", "OutputAnalogChannel 2 255", "ClearDigitalChannel 3",
                    "SetCurrentDevice 0", "SetAllDigital", "SetCurrentDevice 2", "CloseDevice", "SetCurrentDevice 0",
                    "CloseDevice"}));
  FreeLibrary(Library);
}

// The user pulls board 0 out from its window: its lamps go dark, its next
// transfer fails and the library drops it, so its select answers -1 and
// commands go to the board selected before. Plugged back in it stays
// dropped until the next OpenDevice. The window says so at each step.
TEST_F(LiveBoard, UnpluggingFromTheWindowDropsTheBoardUntilItIsOpenedAgain) {
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  TBoardPlug plug;
  ASSERT_NO_FATAL_FAILURE(FindPlug(0, plug));
  ASSERT_NE(BoardWindow(2), nullptr) << "OpenDevice opens every board plugged in";
  Call("SetDigitalChannel", 1);
  ASSERT_TRUE(Eventually([&] { return Lamp(plug.Window, 1) == LampOn; }));

  plug.Click();
  EXPECT_EQ(Lamp(plug.Window, 1), LampOff) << "a board out has no power";
  EXPECT_EQ(plug.Status(), L"Unplugged, still held by the driver: dropped at its next command.");
  EXPECT_EQ(WindowText(plug.Button), "Plug in");
  EXPECT_EQ(Call("SetCurrentDevice", 0), 0) << "a select makes no transfer";
  Call("SetDigitalChannel", 2);
  EXPECT_TRUE(Eventually([&] { return plug.Status().find(L"Unplugged and dropped") == 0; }));
  EXPECT_EQ(Call("SetCurrentDevice", 2), 2);
  EXPECT_EQ(Call("SetCurrentDevice", 0), -1);
  Call("SetDigitalChannel", 5);
  HWND board2 = BoardWindow(2);
  EXPECT_TRUE(Eventually([&] { return Lamp(board2, 5) == LampOn; })) << "the command went to board 2";

  plug.Click();
  EXPECT_EQ(plug.Status().find(L"Plugged in again, but dropped"), 0u);
  EXPECT_EQ(WindowText(plug.Button), "Unplug");
  EXPECT_EQ(Call("SetCurrentDevice", 0), -1) << "still dropped";
  EXPECT_EQ(Call("OpenDevice", 2), 2);
  EXPECT_EQ(Call("SetCurrentDevice", 0), 0) << "opened again";
  EXPECT_TRUE(Eventually([&] { return plug.Status() == L"Plugged in."; }));
  Call("SetDigitalChannel", 3);
  EXPECT_TRUE(Eventually([&] { return Lamp(plug.Window, 3) == LampOn; }));
  EXPECT_EQ(Lamp(plug.Window, 2), LampOn) << "the outputs the library kept for it, the failed command's too";

  const std::vector<std::string> lines = Trace.Lines();
  EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                         [](const std::string& line) { return line.find(" SetCurrentDevice 0 = -1 @") != std::string::npos; }),
            lines.end())
      << "the record shows the answer";
  Call("CloseDevice");
  FreeLibrary(Library);
}

// The vendor's library, measured: a board pulled out while open stays held
// until a transfer to it fails. Its opening answers its address and selects
// it, although the listing no longer finds it; the next output call fails,
// the record says so, and the board is dropped: -1 and -1 until it is
// plugged in and opened again.
TEST_F(LiveBoard, APulledOutBoardIsHeldUntilATransferToItFails) {
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  TBoardPlug plug;
  ASSERT_NO_FATAL_FAILURE(FindPlug(0, plug));
  plug.Click();
  EXPECT_EQ(Call("SetCurrentDevice", 2), 2);
  EXPECT_EQ(Call("OpenDevice", 0), 0) << "held, although the listing misses it";
  Call("SetDigitalChannel", 1);
  EXPECT_EQ(Call("SetCurrentDevice", 0), -1);
  EXPECT_EQ(Call("OpenDevice", 0), -1) << "out and no longer held";
  EXPECT_TRUE(Eventually([&] { return plug.Status().find(L"Unplugged and dropped") == 0; }));
  plug.Click();
  EXPECT_EQ(Call("SetCurrentDevice", 0), -1) << "back, not opened yet";
  EXPECT_EQ(Call("OpenDevice", 0), 0);
  Call("CloseDevice");

  EXPECT_EQ(Trace.Calls(), (TCalls{"OpenDevice 0", "SetCurrentDevice 2", "OpenDevice 0", "SetDigitalChannel 1",
                                   "SetCurrentDevice 0", "OpenDevice 0", "SetCurrentDevice 0", "OpenDevice 0",
                                   "CloseDevice"}));
  const std::vector<std::string> lines = Trace.Lines();
  const auto failed = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find(" SetDigitalChannel 1 failed: board 0 dropped @") != std::string::npos;
  });
  EXPECT_NE(failed, lines.end()) << "the record marks the transfer that failed";
  FreeLibrary(Library);
}

// Pulled out and plugged back in with no call between: the library's handle
// died with the unplugging, so the next output still fails and drops the
// board, which then gets nothing until an OpenDevice.
TEST_F(LiveBoard, AnUnplugAndPlugInBetweenTwoCallsStillDropsTheBoard) {
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  TBoardPlug plug;
  ASSERT_NO_FATAL_FAILURE(FindPlug(0, plug));
  plug.Click();
  plug.Click();
  EXPECT_EQ(plug.Status().find(L"Plugged in again, its connection gone"), 0u);
  EXPECT_EQ(Call("SetCurrentDevice", 0), 0);
  Call("SetDigitalChannel", 1);
  EXPECT_TRUE(Eventually([&] { return plug.Status().find(L"Plugged in again, but dropped") == 0; }));
  EXPECT_EQ(Lamp(plug.Window, 1), LampOff);
  EXPECT_EQ(Call("SetCurrentDevice", 0), -1) << "dropped";
  Call("SetDigitalChannel", 2);
  EXPECT_EQ(Call("SetCurrentDevice", 0), -1) << "stays dropped";
  EXPECT_EQ(Call("OpenDevice", 0), 0);
  EXPECT_EQ(Call("SetCurrentDevice", 0), 0);
  EXPECT_TRUE(Eventually([&] { return plug.Status() == L"Plugged in."; }));
  Call("CloseDevice");
  const std::vector<std::string> lines = Trace.Lines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.find(" failed: board 0 dropped @") != std::string::npos; }),
            1)
      << "one transfer failed";
  FreeLibrary(Library);
}

// A board's pace is in milliseconds: each call that reaches a paced board
// lasts at least that long (only a lower bound: a slow machine may take
// longer).
TEST_F(LiveBoard, APacedCallLastsAtLeastItsPace) {
  SetEnvironmentVariableA("VIRTUAL_K8055_PACE", "30");
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  Call("SetDigitalChannel", 1);
  Call("OutputAnalogChannel", 1, 20);
  QueryPerformanceCounter(&end);
  SetEnvironmentVariableA("VIRTUAL_K8055_PACE", nullptr);
  EXPECT_GE((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart, 60) << "two calls of 30 ms each";
  Call("CloseDevice");
  FreeLibrary(Library);
}

TEST_F(LiveBoard, ReopenedBoardGetsANewWindow) {
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(Call("OpenDevice", 0), 0);
    ASSERT_NE(BoardWindow(0), nullptr) << round;
    Call("CloseDevice");
    EXPECT_TRUE(Eventually([] { return BoardWindow(0) == nullptr; })) << round;
  }
  FreeLibrary(Library);
}

TEST_F(LiveBoard, OnlyWhenAsked) {
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "0");
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  EXPECT_EQ(BoardWindow(0), nullptr);
  Call("CloseDevice");
  FreeLibrary(Library);
}

TEST_F(LiveBoard, FreedWithWindowsOpenKeepsRunning) {
  ASSERT_EQ(Call("OpenDevice", 0), 0);
  HWND board0 = BoardWindow(0);
  ASSERT_NE(board0, nullptr);
  Call("SetDigitalChannel", 1);
  FreeLibrary(Library);  // the window thread still holds the DLL
  EXPECT_NE(GetModuleHandleA("k8055d.dll"), nullptr);
  EXPECT_TRUE(Eventually([&] { return Lamp(board0, 1) == LampOn; }));
}

TEST(LiveBoardInAHost, FinishClosesTheWindowsAndUnloadsTheBoard) {
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
  {
    TModuleHost host("full");
    TOutputInstance* instance = host.Api.create(1);
    host.Api.open(instance, "1");
    uint16_t samples[1024];
    for (uint16_t& sample : samples) sample = 65535;
    host.Api.action(instance, 5, 0, 0, 0, samples);
    HWND board0 = BoardWindow(0);
    ASSERT_NE(board0, nullptr);
    EXPECT_TRUE(Eventually([&] { return Lamp(board0, 5) == LampOn; }));
    host.Api.destroy(instance);
    host.Finish();
    // The window thread ends on its own, and with it the board's last reference.
    EXPECT_TRUE(Eventually([] { return BoardWindow(0) == nullptr; }));
    EXPECT_TRUE(Eventually([] { return !TModuleHost::VendorLibraryLoaded(); }));
  }
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", nullptr);
}

}  // namespace
