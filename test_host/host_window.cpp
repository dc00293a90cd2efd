#include "test_host/host_window.h"

namespace {

constexpr int ClientWidth = 736;

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
    case WM_ACTIVATE:
      if (HIWORD(wParam)) break;  // minimized
      KeepControlFocus(window, wParam);
      return 0;
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

HWND CreateHostWindow(const char* title, int extraHeight) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterOnce(instance);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, ClientWidth, PanelHostHeight + extraHeight};
  AdjustWindowRect(&frame, style, FALSE);
  return CreateWindowExA(0, HostWindowClass, title, style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
}
