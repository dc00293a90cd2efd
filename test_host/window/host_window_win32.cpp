#include "test_host/window/host_window_win32.h"

#include <algorithm>

#include "windows/monitor_work_area_win32.h"
#include "windows/window_dpi_win32.h"

namespace {

constexpr DWORD HostWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr char DpiFollowerProperty[] = "TarnwellDpiFollower";

// Keeps the keyboard focus on the control that had it when the window is
// activated again, as a dialog box does; Windows would give it to the
// window itself, where no key works. The first time, the first control.
void KeepControlFocus(HWND window, WPARAM activation) {
  if (LOWORD(activation) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (IsChild(window, focus)) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(focus));
    return;
  }
  HWND focus = reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!IsChild(window, focus)) focus = GetNextDlgTabItem(window, nullptr, FALSE);
  SetFocus(focus != nullptr ? focus : window);
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_COMMAND:
      // IsDialogMessage's Esc; a control's IDCANCEL would come with its handle.
      if (LOWORD(wParam) == IDCANCEL && lParam == 0) PostQuitMessage(0);
      return 0;
    case WM_ACTIVATE:
      if (HIWORD(wParam)) break;  // minimized
      KeepControlFocus(window, wParam);
      return 0;
    case WM_DPICHANGED: {  // moved to a monitor of another scaling: first to the place Windows suggests
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      if (HWND follower = static_cast<HWND>(GetPropA(window, DpiFollowerProperty)))
        SendMessageA(follower, WM_DPICHANGED, wParam, lParam);
      else
        FitHostWindow(window, PanelHostWidth, PanelHostHeight, HIWORD(wParam));
      return 0;
    }
    case WM_NCDESTROY:
      RemovePropA(window, DpiFollowerProperty);
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterOnce(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  if (GetClassInfoA(instance, HostWindowClass, &windowClass)) return;
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "MAINICON");  // the program's own, in the title bar and taskbar
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = HostWindowClass;
  RegisterClassA(&windowClass);
}

}  // namespace

HWND CreateHostWindow(const char* title) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterOnce(instance);
  RECT frame{0, 0, PanelHostWidth, PanelHostHeight};
  AdjustWindowRect(&frame, HostWindowStyle, FALSE);
  HWND window = CreateWindowExA(0, HostWindowClass, title, HostWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  // On a monitor of another scaling than the system's, its frame is that monitor's.
  if (window != nullptr && WindowDpi(window) != SystemDpi())
    FitHostWindow(window, PanelHostWidth, PanelHostHeight, WindowDpi(window));
  return window;
}

void FollowDpiChanges(HWND window, HWND follower) { SetPropA(window, DpiFollowerProperty, follower); }

void FitHostWindow(HWND window, int width, int height, UINT dpi) {
  RECT frame{0, 0, width, height};
  AdjustFrameForDpi(frame, HostWindowStyle, 0, dpi);
  const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
  RECT bounds;
  GetWindowRect(window, &bounds);
  const RECT work = MonitorWorkArea(window);
  bounds.left = std::max(std::min(bounds.left, work.right - frameWidth), work.left);
  bounds.top = std::max(std::min(bounds.top, work.bottom - frameHeight), work.top);
  SetWindowPos(window, nullptr, bounds.left, bounds.top, frameWidth, frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  KeepClientSize(window, width, height);
}

bool TakeDialogKey(HWND window, MSG& message) {
  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) &&
      (SendMessageA(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS))
    SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  return IsDialogMessageA(window, &message) != 0;
}
