// The virtual board's live window: one per open board, drawn from the calls
// it receives, gone when the board closes; the call record unchanged; the
// window thread ended and the DLL unloadable after finish.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/module_host.h"
#include "virtual_board/board_window_layout.h"
#include "virtual_board/board_window_paint.h"

namespace {

using TCalls = std::vector<std::string>;

// The board window of this process (tests run in parallel) for an address.
HWND BoardWindow(int address) {
  const std::string title = "Virtual K8055, card address " + std::to_string(address);
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "VirtualK8055Board", title.c_str()));) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) return window;
  }
  return nullptr;
}

// Where the window draws its parts, as it tells a test.
TBoardLayout LayoutOf(HWND window) {
  TBoardLayout layout{};
  SendMessageA(window, WmQueryBoardLayout, 0, reinterpret_cast<LPARAM>(&layout));
  return layout;
}

// The window's picture, as WM_PRINTCLIENT draws it, sampled at one point.
COLORREF PixelAt(HWND window, const TBoardLayout& layout, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, layout.Client.cx, layout.Client.cy);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  const COLORREF pixel = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixel;
}

// Lamp n (1 ... 8) at its centre.
COLORREF Lamp(HWND window, int n) {
  const TBoardLayout layout = LayoutOf(window);
  const RECT& lamp = layout.Lamps[n - 1];
  return PixelAt(window, layout, (lamp.left + lamp.right) / 2, (lamp.top + lamp.bottom) / 2);
}
// Analog bar n (1, 2) at the place of a level, halfway down.
COLORREF BarAt(HWND window, int n, int level) {
  const TBoardLayout layout = LayoutOf(window);
  const RECT& bar = layout.Bars[n - 1];
  return PixelAt(window, layout, bar.left + level * (bar.right - bar.left) / 255, (bar.top + bar.bottom) / 2);
}

// Posted updates reach the window thread a moment later; removing a window
// takes up to 2 s under wine without a window manager.
template <typename TCheck>
bool Eventually(TCheck check) {
  for (int tries = 0; tries < 500; ++tries, Sleep(20))
    if (check()) return true;
  return false;
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
  Call("CloseDevice");
  EXPECT_TRUE(Eventually([&] { return BoardWindow(2) == nullptr; }));
  EXPECT_NE(BoardWindow(0), nullptr);
  Call("SetCurrentDevice", 0);
  Call("CloseDevice");
  EXPECT_EQ(BoardWindow(0), nullptr);  // the last board: its thread has ended

  // The call record is the same as without windows.
  EXPECT_EQ(Trace.Calls(),
            (TCalls{"OpenDevice 0", "OpenDevice 2", "OpenDevice 1", "SetCurrentDevice 2", "SetDigitalChannel 3",
                    "OutputAnalogChannel 1 128", "OutputAnalogChannel 2 255", "ClearDigitalChannel 3",
                    "SetCurrentDevice 0", "SetAllDigital", "SetCurrentDevice 2", "CloseDevice", "SetCurrentDevice 0",
                    "CloseDevice"}));
  FreeLibrary(Library);
}

TEST_F(LiveBoard, ReopenedBoardGetsANewWindow) {
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(Call("OpenDevice", 0), 0);
    ASSERT_NE(BoardWindow(0), nullptr) << round;
    Call("CloseDevice");
    EXPECT_EQ(BoardWindow(0), nullptr) << round;
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
    EXPECT_EQ(BoardWindow(0), nullptr);
    EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
  }
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", nullptr);
}

}  // namespace
