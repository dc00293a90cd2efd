// The group box joined to the host's window as Windows 10 and 11 want it:
// made under the DPI awareness context of the host's window (SetParent
// refuses windows of different awareness there), the thread's own context
// back right after; and the host window's keyboard cues taken over.
// Wine may lack the DPI functions or keep one context for all windows, so
// the module's lookups of them are given recorders.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/win32/import_patch.h"
#include "tests/win32/panel_host_window.h"

namespace {

const auto HostContext = reinterpret_cast<DPI_AWARENESS_CONTEXT>(0x1d0);
const auto ThreadsOwnContext = reinterpret_cast<DPI_AWARENESS_CONTEXT>(0x2e0);

// What the recorders saw, and how they answer.
struct TDpiRecord {
  HWND HostWindow = nullptr;
  DPI_AWARENESS_CONTEXT Thread = ThreadsOwnContext;  // the thread's context as the recorders keep it
  std::vector<std::string> Events;
  bool FailGroupBox = false;            // CreateWindowExA gives no group box
  bool WithoutSetThreadContext = false;  // as on Windows before 10 1607
};
TDpiRecord Record;

std::string Name(DPI_AWARENESS_CONTEXT context) {
  return context == HostContext ? "host's" : context == ThreadsOwnContext ? "thread's own" : "other";
}

DPI_AWARENESS_CONTEXT WINAPI RecordingGetWindowDpiAwarenessContext(HWND window) {
  return window == Record.HostWindow ? HostContext : nullptr;
}

DPI_AWARENESS_CONTEXT WINAPI RecordingSetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
  Record.Events.push_back("set " + Name(context));
  const DPI_AWARENESS_CONTEXT previous = Record.Thread;
  Record.Thread = context;
  return previous;
}

FARPROC(WINAPI* RealGetProcAddress)(HMODULE, const char*);
FARPROC WINAPI GetProcAddressWithRecorders(HMODULE module, const char* name) {
  if (HIWORD(name) != 0 && std::strcmp(name, "GetWindowDpiAwarenessContext") == 0)
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(RecordingGetWindowDpiAwarenessContext));
  if (HIWORD(name) != 0 && std::strcmp(name, "SetThreadDpiAwarenessContext") == 0)
    return Record.WithoutSetThreadContext
               ? nullptr
               : reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(RecordingSetThreadDpiAwarenessContext));
  return RealGetProcAddress(module, name);
}

decltype(&CreateWindowExA) RealCreateWindowExA;
HWND WINAPI RecordingCreateWindowExA(DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y,
                                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param) {
  const std::string name = HIWORD(className) != 0 ? className : "an atom";
  Record.Events.push_back("create " + name + " under " + Name(Record.Thread));
  if (Record.FailGroupBox && name == PanelClass) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return RealCreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, menu, instance, param);
}

// The module's lookups and window creation recorded while the object lives.
class TRecordedDpiContext {
 public:
  TRecordedDpiContext(HMODULE module, HWND hostWindow)
      : Lookups_(module, "kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(GetProcAddressWithRecorders)),
        Creation_(module, "user32.dll", "CreateWindowExA", reinterpret_cast<void*>(RecordingCreateWindowExA)) {
    Record = TDpiRecord{};
    Record.HostWindow = hostWindow;
    RealGetProcAddress = reinterpret_cast<decltype(RealGetProcAddress)>(Lookups_.Original());
    RealCreateWindowExA = reinterpret_cast<decltype(RealCreateWindowExA)>(Creation_.Original());
    EXPECT_TRUE(Lookups_.Patched() && Creation_.Patched());
  }

 private:
  TImportPatch Lookups_;
  TImportPatch Creation_;
};

// An instance's panel shown in a host window with the module's lookups and
// window creation recorded; the record is left in Record.
struct TRecordedShow {
  TRecordedShow(bool failGroupBox, bool withoutSetThreadContext) : Instance(Host.Api.create(1)) {
    TRecordedDpiContext recorded(Host.Module, Window.Handle);
    Record.FailGroupBox = failGroupBox;
    Record.WithoutSetThreadContext = withoutSetThreadContext;
    Host.Api.show(Instance, Window.Handle);
  }
  ~TRecordedShow() { Host.Api.destroy(Instance); }
  TModuleHost Host{"full"};
  THostWindow Window;
  TOutputInstance* Instance;
};

const std::vector<std::string> TheSwitchAroundTheGroupBox = {"set host's", "create TarnwellGroupBox under host's",
                                                             "set thread's own"};
const std::vector<std::string> ControlsUnderTheThreadsOwn = {"create Static under thread's own",
                                                             "create ComboBox under thread's own"};

std::vector<std::string> Joined(const std::vector<std::string>& first, const std::vector<std::string>& second) {
  std::vector<std::string> joined = first;
  joined.insert(joined.end(), second.begin(), second.end());
  return joined;
}

TEST(PanelJoining, TheGroupBoxAloneIsMadeUnderTheHostWindowsDpiContext) {
  TRecordedShow shown(false, false);
  EXPECT_EQ(Record.Events, Joined(TheSwitchAroundTheGroupBox, ControlsUnderTheThreadsOwn));
  EXPECT_EQ(Record.Thread, ThreadsOwnContext);
  EXPECT_EQ(shown.Window.PanelCount(), 1);
}

// Creation fails: the thread's context is back all the same, and no panel
// is left half made.
TEST(PanelJoining, TheThreadsContextIsBackWhenTheGroupBoxIsNotMade) {
  TRecordedShow shown(true, false);
  EXPECT_EQ(Record.Events, TheSwitchAroundTheGroupBox);
  EXPECT_EQ(Record.Thread, ThreadsOwnContext);
  EXPECT_EQ(shown.Window.PanelCount(), 0);
  EXPECT_EQ(OwnTopLevelPanel(), nullptr);
  shown.Host.Api.show(shown.Instance, shown.Window.Handle);
  EXPECT_EQ(shown.Window.PanelCount(), 1) << "a later show works";
}

// Where Windows lacks SetThreadDpiAwarenessContext nothing is switched.
TEST(PanelJoining, WithoutTheDpiFunctionsThePanelIsMadeAsBefore) {
  TRecordedShow shown(false, true);
  EXPECT_EQ(Record.Events, Joined({"create TarnwellGroupBox under thread's own"}, ControlsUnderTheThreadsOwn));
  EXPECT_EQ(shown.Window.PanelCount(), 1);
}

constexpr WORD Cues = UISF_HIDEFOCUS | UISF_HIDEACCEL;

// Wine keeps no keyboard cue state (WM_QUERYUISTATE gives 0 for every
// window, and WM_UPDATEUISTATE changes nothing), so the host's window
// answers for its cues itself, and what the group box is told is recorded.
WORD HostsHiddenCues = 0;
WNDPROC HostsOwnProc = nullptr;
LRESULT CALLBACK HostWindowWithCues(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUERYUISTATE) return HostsHiddenCues;
  return CallWindowProcA(HostsOwnProc, window, message, wParam, lParam);
}

struct TCueMessage {
  WORD Action;
  WORD Cues;
  bool InHostWindow;  // sent once the box is the host window's child
  bool operator==(const TCueMessage&) const = default;
};
std::vector<TCueMessage> CueMessages;
HWND CueHost = nullptr;

LRESULT CALLBACK RecordGroupBoxCues(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  char name[64];
  if (code == HC_ACTION && (message->message == WM_UPDATEUISTATE || message->message == WM_CHANGEUISTATE) &&
      GetClassNameA(message->hwnd, name, sizeof(name)) > 0 && lstrcmpA(name, PanelClass) == 0)
    CueMessages.push_back({LOWORD(message->wParam), HIWORD(message->wParam), GetParent(message->hwnd) == CueHost});
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A host window that hides focus rectangles (or access key underlines, both
// or neither): once joined, the group box is told to hide what the host
// hides and show what it shows, with WM_UPDATEUISTATE, which Windows passes
// on to the box's label and list (WM_CHANGEUISTATE would go up to the host
// window and change the host's own).
TEST(PanelJoining, TheGroupBoxTakesTheHostWindowsKeyboardCues) {
  const struct {
    WORD Hidden;
    std::vector<TCueMessage> Expected;
  } cases[] = {
      {UISF_HIDEFOCUS, {{UIS_SET, UISF_HIDEFOCUS, true}, {UIS_CLEAR, UISF_HIDEACCEL, true}}},
      {UISF_HIDEACCEL, {{UIS_SET, UISF_HIDEACCEL, true}, {UIS_CLEAR, UISF_HIDEFOCUS, true}}},
      {Cues, {{UIS_SET, Cues, true}}},
      {0, {{UIS_CLEAR, Cues, true}}},
  };
  for (const auto& hostCase : cases) {
    TModuleHost host("full");
    THostWindow window;
    HostsHiddenCues = hostCase.Hidden;
    CueHost = window.Handle;
    HostsOwnProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window.Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostWindowWithCues)));
    TOutputInstance* instance = host.Api.create(1);
    CueMessages.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordGroupBoxCues, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    host.Api.show(instance, window.Handle);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(window.PanelCount(), 1);
    EXPECT_EQ(CueMessages, hostCase.Expected) << "host hides " << hostCase.Hidden;
    host.Api.destroy(instance);
  }
}

}  // namespace
