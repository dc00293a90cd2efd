// try end to end: the real tarnwell_host.exe with its window, the real
// module and the virtual board. Controls are found by class and text and
// worked as a user or a test tool works them; the board's call record shows
// what reached it.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/win32/module_host.h"
#include "tests/win32/test_host_run.h"

namespace {

using TCalls = std::vector<std::string>;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool WaitFor(const std::function<bool()>& condition) {
  for (int tries = 0; tries < 200; ++tries) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

std::string Text(HWND window) {
  char text[512] = "";
  SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
  return text;
}

BOOL CALLBACK FindStatusLine(HWND child, LPARAM found) {
  if (!Contains(Text(child), " | Ready ")) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// A running try and its window's parts.
class TTryRun {
 public:
  explicit TTryRun(std::vector<std::string> args) : Host_(std::move(args)) {
    Window = Host_.WaitForWindow("TarnwellHostWindow");
    Pane = FindWindowExA(Window, nullptr, "TarnwellTryChannels", nullptr);
    HWND group = FindWindowExA(Window, nullptr, "TarnwellGroupBox", nullptr);
    Combo = FindWindowExA(group, nullptr, "ComboBox", nullptr);
    EnumChildWindows(Pane, FindStatusLine, reinterpret_cast<LPARAM>(&Status));
  }
  bool Found() const { return Window && Pane && Combo && Status; }

  HWND CheckBox(int channel) const {
    return FindWindowExA(Pane, nullptr, "Button", ("Digital output " + std::to_string(channel) + " status").c_str());
  }
  HWND Slider(int analog) const {
    HWND slider = FindWindowExA(Pane, nullptr, TRACKBAR_CLASSA, nullptr);
    return analog == 1 ? slider : FindWindowExA(Pane, slider, TRACKBAR_CLASSA, nullptr);
  }
  // The level shown beside a slider.
  std::string Level(int analog) const { return Text(GetWindow(Slider(analog), GW_HWNDNEXT)); }
  std::string StatusText() const { return Text(Status); }
  bool StatusShows(const std::string& part) const {
    return WaitFor([&] { return Contains(StatusText(), part); });
  }
  // A drag of a slider to level, as a tool makes one.
  void Drag(int analog, int level) const {
    HWND slider = Slider(analog);
    SendMessageA(slider, TBM_SETPOS, TRUE, level);
    SendMessageA(Pane, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, level), reinterpret_cast<LPARAM>(slider));
    SendMessageA(Pane, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
  }
  // A pick in the panel's card list, as a tool makes one.
  void Pick(int position) const {
    SendMessageA(Combo, CB_SETCURSEL, position, 0);
    SendMessageA(GetParent(Combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Combo));
  }
  THostRun Close() {
    PostMessageA(Window, WM_CLOSE, 0, 0);
    return Host_.Wait();
  }
  // The end of a run that the test host ends by itself.
  THostRun End() { return Host_.Wait(); }

  HWND Window = nullptr, Pane = nullptr, Combo = nullptr, Status = nullptr;

 private:
  THostProcess Host_;
};

class TestHostTry : public ::testing::Test {
 protected:
  void TearDown() override { SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", nullptr); }
  // The calls recorded after the first `skip`.
  TCalls CallsAfter(size_t skip) const {
    const TCalls calls = Trace.Calls();
    return skip < calls.size() ? TCalls(calls.begin() + static_cast<long>(skip), calls.end()) : TCalls{};
  }
  TBoardTrace Trace;
};

TEST_F(TestHostTry, TogglesSlidersAndAPickReachTheBoard) {
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,1");
  TTryRun run({"--vendor-dir", FullBoardFolder(), "try", "--settings", "1"});
  ASSERT_TRUE(run.Found());
  EXPECT_TRUE(run.StatusShows("Velleman K8055D | Ready yes | card 1 (address 0) open | 0 action calls"))
      << run.StatusText();
  const size_t shown = Trace.Calls().size();  // the restored card and show's tries

  SendMessageA(run.CheckBox(3), BM_CLICK, 0, 0);
  SendMessageA(run.CheckBox(3), BM_CLICK, 0, 0);
  SendMessageA(run.Slider(1), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(run.Slider(1), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(run.Slider(1), WM_KEYUP, VK_RIGHT, 0);  // TB_ENDTRACK: no change, nothing sent
  EXPECT_EQ(run.Level(1), "2");
  run.Drag(2, 200);
  EXPECT_EQ(run.Level(2), "200");
  const size_t changedOnCard1 = Trace.Calls().size();
  EXPECT_EQ(CallsAfter(shown), (TCalls{"SetCurrentDevice 0", "SetDigitalChannel 3", "SetCurrentDevice 0",
                                       "ClearDigitalChannel 3", "SetCurrentDevice 0", "OutputAnalogChannel 1 1",
                                       "SetCurrentDevice 0", "OutputAnalogChannel 1 2", "SetCurrentDevice 0",
                                       "OutputAnalogChannel 2 200"}));

  // The pick sends every channel as the controls show them to the new card.
  run.Pick(2);  // card address 1
  SendMessageA(run.CheckBox(8), BM_CLICK, 0, 0);
  EXPECT_TRUE(run.StatusShows("| card 2 (address 1) open | 16 action calls, ")) << run.StatusText();
  TCalls toCard2;
  for (int channel = 1; channel <= 8; ++channel)
    toCard2.insert(toCard2.end(), {"SetCurrentDevice 1", "ClearDigitalChannel " + std::to_string(channel)});
  toCard2.insert(toCard2.end(), {"SetCurrentDevice 1", "OutputAnalogChannel 1 2", "SetCurrentDevice 1",
                                 "OutputAnalogChannel 2 200", "SetCurrentDevice 1", "SetDigitalChannel 8"});
  EXPECT_EQ(CallsAfter(changedOnCard1), toCard2);
  const size_t changed = Trace.Calls().size();
  const THostRun end = run.Close();
  EXPECT_EQ(end.Status, 0u) << end.Err;
  EXPECT_TRUE(Contains(end.Out, "settings text:\n2\naction calls: 16\n")) << end.Out;
  EXPECT_EQ(CallsAfter(changed), (TCalls{"SetCurrentDevice 0", "CloseDevice", "SetCurrentDevice 1", "CloseDevice"}))
      << "finish closes both boards";
}

TEST_F(TestHostTry, KeyboardMovesThroughThePanelAndTheChannels) {
  TTryRun run({"--vendor-dir", FullBoardFolder(), "try", "--settings", "1"});
  ASSERT_TRUE(run.Found());
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  const DWORD thread = GetWindowThreadProcessId(run.Window, nullptr);
  const auto focus = [&] { return GetGUIThreadInfo(thread, &gui) ? gui.hwndFocus : nullptr; };
  const auto press = [&](WPARAM key) {
    // Between a focus change's two halves the thread has none: wait.
    HWND target = nullptr;
    WaitFor([&] { return (target = focus()) != nullptr; });
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
  };
  const auto focusIs = [&](HWND control) { return WaitFor([&] { return focus() == control; }); };

  ASSERT_TRUE(focusIs(run.Combo)) << "the first control has the focus";
  std::vector<HWND> order;
  for (int channel = 1; channel <= 8; ++channel) order.push_back(run.CheckBox(channel));
  order.push_back(run.Slider(1));
  order.push_back(run.Slider(2));
  order.push_back(run.Combo);
  for (HWND next : order) {
    press(VK_TAB);
    EXPECT_TRUE(focusIs(next)) << "Tab to control " << (&next - order.data());
  }
  const size_t before = Trace.Calls().size();
  press(VK_TAB);
  ASSERT_TRUE(focusIs(run.CheckBox(1)));
  press(VK_SPACE);
  EXPECT_TRUE(WaitFor([&] { return SendMessageA(run.CheckBox(1), BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  for (int i = 0; i < 8; ++i) press(VK_TAB);
  ASSERT_TRUE(focusIs(run.Slider(1)));
  press(VK_RIGHT);
  press(VK_RIGHT);
  press(VK_RIGHT);
  EXPECT_TRUE(WaitFor([&] { return run.Level(1) == "3"; })) << run.Level(1);
  EXPECT_TRUE(WaitFor([&] { return CallsAfter(before).size() == 8; }));
  EXPECT_EQ(CallsAfter(before), (TCalls{"SetCurrentDevice 0", "SetDigitalChannel 1", "SetCurrentDevice 0",
                                        "OutputAnalogChannel 1 1", "SetCurrentDevice 0", "OutputAnalogChannel 1 2",
                                        "SetCurrentDevice 0", "OutputAnalogChannel 1 3"}));
  EXPECT_EQ(run.Close().Status, 0u);
}

// Esc closes the try window as it closes a dialog box; the settings text
// and the count are printed as when the window is closed.
TEST_F(TestHostTry, EscClosesTheWindow) {
  TTryRun run({"--vendor-dir", FullBoardFolder(), "try", "--settings", "1"});
  ASSERT_TRUE(run.Found());
  SendMessageA(run.CheckBox(1), BM_CLICK, 0, 0);
  PostMessageA(run.CheckBox(1), WM_KEYDOWN, VK_ESCAPE, 1);
  const THostRun end = run.End();
  EXPECT_EQ(end.Status, 0u) << end.Err;
  EXPECT_TRUE(Contains(end.Out, "settings text:\n1\naction calls: 1\n")) << end.Out;
}

TEST(TestHostPanel, EscClosesThePanelWindow) {
  THostProcess host({"--vendor-dir", FullBoardFolder(), "panel", "--settings", "1"});
  HWND window = host.WaitForWindow("TarnwellHostWindow");
  ASSERT_NE(window, nullptr);
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  HWND focus = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui) && (focus = gui.hwndFocus) != nullptr;
  }));
  PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 1);
  const THostRun end = host.Wait();
  EXPECT_EQ(end.Status, 0u) << end.Err;
  EXPECT_TRUE(Contains(end.Out, "settings text:\n1\n")) << end.Out;
}

TEST_F(TestHostTry, AChangeForACardThatIsNotOpenReachesNoBoard) {
  TTryRun run({"--vendor-dir", FullBoardFolder(), "try", "--settings", "2"});  // only board 0 answers
  ASSERT_TRUE(run.Found());
  const size_t shown = Trace.Calls().size();
  SendMessageA(run.CheckBox(1), BM_CLICK, 0, 0);
  EXPECT_TRUE(run.StatusShows(
      "Velleman K8055D | Ready yes | card 2 (address 1) not available: nothing reaches a board | 1 action call, "))
      << run.StatusText();
  EXPECT_TRUE(CallsAfter(shown).empty());
  run.Pick(0);
  EXPECT_TRUE(run.StatusShows("| no card: nothing reaches a board |")) << run.StatusText();
  const THostRun end = run.Close();
  EXPECT_EQ(end.Status, 3u) << "the change reached no board";
  EXPECT_TRUE(Contains(end.Out, "settings text:\n0\naction calls: 1 (1 reached no board)\n")) << end.Out;
}

TEST_F(TestHostTry, WithoutAUsableVendorLibraryTheWindowSaysSo) {
  TTryRun run({"--vendor-dir", TModuleHost::BoardFolder("without-ReadCounter"), "try", "--settings", "1"});
  ASSERT_TRUE(run.Found());
  SendMessageA(run.CheckBox(1), BM_CLICK, 0, 0);
  EXPECT_TRUE(run.StatusShows(
      "Cannot load k8055d.dll | Ready no | card 1 (address 0) closed: nothing reaches a board | 1 action call, "))
      << run.StatusText();
  const THostRun end = run.Close();
  EXPECT_EQ(end.Status, 1u) << "nothing could reach a board";
  EXPECT_TRUE(Contains(end.Out, "Cannot load k8055d.dll: " + TModuleHost::BoardFolder("without-ReadCounter") +
                                    "\\k8055d.dll lacks the entry point ReadCounter"))
      << end.Out;
  EXPECT_TRUE(Contains(end.Out, "settings text:\n1\n")) << end.Out;
  EXPECT_TRUE(Trace.Calls().empty());
}

TEST_F(TestHostTry, DoubleClickedItOpensTheWindowAndSaysWhyNoBoardIsReached) {
  // No arguments and a console of its own; no k8055d.dll where it looks.
  THostProcess host({}, "", THostProcess::TConsole::Own);
  HWND box = host.WaitForWindow("#32770");
  ASSERT_NE(box, nullptr) << "a message box says why";
  char text[2048] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
  EXPECT_TRUE(Contains(text, "Cannot load k8055d.dll: k8055d.dll was not found.")) << text;
  EXPECT_TRUE(Contains(text, "double-click try-virtual-board.cmd in the release folder")) << text;
  HWND window = host.WaitForWindow("TarnwellHostWindow");
  ASSERT_NE(window, nullptr) << "the try window is open under it";
  EXPECT_EQ(GetWindow(box, GW_OWNER), window);
  HWND group = FindWindowExA(window, nullptr, "TarnwellGroupBox", nullptr);
  EXPECT_EQ(Text(FindWindowExA(group, nullptr, "ComboBox", nullptr)), "0 (closed)") << "card 1 is picked";
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  PostMessageA(window, WM_CLOSE, 0, 0);
  const THostRun end = host.Wait();
  EXPECT_EQ(end.Status, 1u);
  EXPECT_EQ(end.Out + end.Err, "") << "the console was left; nothing is written to its old handles";
}

TEST_F(TestHostTry, RateResendsAllChannelsInRounds) {
  TTryRun run({"--vendor-dir", FullBoardFolder(), "try", "--settings", "1", "--rate", "20"});
  ASSERT_TRUE(run.Found());
  SendMessageA(run.CheckBox(2), BM_CLICK, 0, 0);
  const size_t clicked = Trace.Calls().size();  // however many rounds went before, on a slow machine
  EXPECT_TRUE(WaitFor([&] { return Trace.Calls().size() > clicked + 100; }));
  EXPECT_TRUE(WaitFor([&] { return !Contains(run.StatusText(), " 0.0 per second"); })) << run.StatusText();
  run.Close();

  // After the opens, rounds of all ten channels, the changed one among them.
  TCalls calls = Trace.Calls();
  while (!calls.empty() && calls.front().rfind("OpenDevice", 0) == 0) calls.erase(calls.begin());
  TCalls round;
  for (int channel = 1; channel <= 8; ++channel)
    round.insert(round.end(), {"SetCurrentDevice 0", (channel == 2 ? "SetDigitalChannel " : "ClearDigitalChannel ") +
                                                         std::to_string(channel)});
  round.insert(round.end(), {"SetCurrentDevice 0", "OutputAnalogChannel 1 0", "SetCurrentDevice 0",
                             "OutputAnalogChannel 2 0"});
  int fullRounds = 0;
  for (size_t at = 0; at + round.size() <= calls.size(); ++at)
    if (TCalls(calls.begin() + static_cast<long>(at), calls.begin() + static_cast<long>(at + round.size())) == round)
      ++fullRounds;
  EXPECT_GE(fullRounds, 3);
}

}  // namespace
