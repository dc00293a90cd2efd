// The test host's window takes keys as a dialog box does: after a click on
// a check box, Space toggles it and shows the focus rectangle; Esc closes
// the window. Windows hides focus rectangles after mouse input until a key
// is used; wine keeps no such state (WM_QUERYUISTATE gives 0 there), so the
// window here answers as Windows does after a click and records the changes
// it is asked for.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "tests/win32/host_window_in_process.h"

namespace {

WNDPROC HostProc = nullptr;
std::vector<WPARAM> UiStateChanges;

LRESULT CALLBACK AsAfterAClick(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUERYUISTATE) return UISF_HIDEFOCUS | UISF_HIDEACCEL;
  if (message == WM_CHANGEUISTATE) UiStateChanges.push_back(wParam);
  return CallWindowProcA(HostProc, window, message, wParam, lParam);
}

TEST(DialogKeys, SpaceShowsTheFocusRectangleAndEscCloses) {
  TTryWindowInProcess window(0);
  ASSERT_TRUE(window.Made);
  HWND host = window.Shown.Window;
  HWND box = FindWindowExA(window.Channels(), nullptr, "Button", "Digital output 1 status");
  ASSERT_NE(box, nullptr);
  HostProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AsAfterAClick)));
  SetFocus(box);  // as a click does
  RunMessagesFor(100, nullptr, host);
  EXPECT_TRUE(UiStateChanges.empty());

  PostMessageA(box, WM_KEYDOWN, VK_SPACE, 1);
  PostMessageA(box, WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_FALSE(RunMessagesFor(200, nullptr, host));
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "Space toggles the check box";
  EXPECT_EQ(UiStateChanges, (std::vector<WPARAM>{MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS)}))
      << "and shows the focus rectangle";

  PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(RunMessagesFor(200, nullptr, host)) << "Esc ends the window's message loop";
  SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostProc));
}

}  // namespace
