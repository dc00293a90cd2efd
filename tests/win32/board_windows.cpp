#include "tests/win32/board_windows.h"

#include <string>

namespace {

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

}  // namespace

HWND BoardWindow(int address) {
  const std::string title = "Virtual K8055, card address " + std::to_string(address);
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "VirtualK8055Board", title.c_str()));) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) return window;
  }
  return nullptr;
}

TBoardLayout LayoutOf(HWND window) {
  TBoardLayout layout{};
  SendMessageA(window, WmQueryBoardLayout, 0, reinterpret_cast<LPARAM>(&layout));
  return layout;
}

COLORREF Lamp(HWND window, int n) {
  const TBoardLayout layout = LayoutOf(window);
  const RECT& lamp = layout.Lamps[n - 1];
  return PixelAt(window, layout, (lamp.left + lamp.right) / 2, (lamp.top + lamp.bottom) / 2);
}

COLORREF BarAt(HWND window, int n, int level) {
  const TBoardLayout layout = LayoutOf(window);
  const RECT& bar = layout.Bars[n - 1];
  return PixelAt(window, layout, bar.left + level * (bar.right - bar.left) / 255, (bar.top + bar.bottom) / 2);
}
