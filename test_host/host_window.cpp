#include "test_host/host_window.h"

namespace {

constexpr int ClientWidth = 736;
constexpr int ClientHeight = 184;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterOnce(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  if (GetClassInfoA(instance, HostWindowClass, &windowClass)) return;
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = HostWindowClass;
  RegisterClassA(&windowClass);
}

}  // namespace

HWND CreateHostWindow(const char* title) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterOnce(instance);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, ClientWidth, ClientHeight};
  AdjustWindowRect(&frame, style, FALSE);
  return CreateWindowExA(0, HostWindowClass, title, style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
}
