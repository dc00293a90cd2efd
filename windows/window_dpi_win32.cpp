#include "windows/window_dpi_win32.h"

#include "windows/system_functions_win32.h"

namespace {

constexpr int EffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

HFONT StockGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

}  // namespace

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// Where GetDpiForWindow is missing (Windows 8.1, Windows 10 before 1607),
// the DPI of the window's monitor as the process sees it: shcore.dll's
// GetDpiForMonitor, which Windows 8.1 brought; 0 without it.
UINT MonitorDpi(HWND window) {
  const auto getDpiForMonitor = SystemFunction<TSystemFunction::GetDpiForMonitor>();
  UINT x = 0, y = 0;
  if (getDpiForMonitor == nullptr ||
      getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), EffectiveDpi, &x, &y) != S_OK)
    return 0;
  return y;
}

UINT WindowDpi(HWND window) {
  const auto getDpiForWindow = SystemFunction<TSystemFunction::GetDpiForWindow>();
  const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : MonitorDpi(window);
  return dpi != 0 ? dpi : SystemDpi();
}

HFONT GuiFontForDpi(UINT dpi) {
  const UINT system = SystemDpi();
  LOGFONTW font{};
  if (dpi == system || GetObjectW(StockGuiFont(), sizeof(font), &font) != sizeof(font)) return StockGuiFont();
  font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(system));
  font.lfWidth = MulDiv(font.lfWidth, static_cast<int>(dpi), static_cast<int>(system));
  HFONT made = CreateFontIndirectW(&font);
  return made != nullptr ? made : StockGuiFont();
}

void ReleaseGuiFont(HFONT font) {
  if (font != nullptr && font != StockGuiFont()) DeleteObject(font);
}

// At the system's DPI, the system's own sizes, as a window that follows no
// monitor gets them.
int SystemMetricForDpi(int index, UINT dpi) {
  const UINT system = SystemDpi();
  if (dpi == system) return GetSystemMetrics(index);
  const auto forDpi = SystemFunction<TSystemFunction::GetSystemMetricsForDpi>();
  if (forDpi != nullptr) return forDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(system));
}

void AdjustFrameForDpi(RECT& frame, DWORD style, DWORD extendedStyle, UINT dpi) {
  // Without the function (before Windows 10) the frame is the system's at
  // any DPI: Windows 8.1 scales no frames of its own.
  const auto forDpi = SystemFunction<TSystemFunction::AdjustWindowRectExForDpi>();
  if (dpi == SystemDpi() || forDpi == nullptr || !forDpi(&frame, style, FALSE, extendedStyle, dpi))
    AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
}

void KeepClientSize(HWND window, int width, int height) {
  RECT client, bounds;
  if (!GetClientRect(window, &client) || !GetWindowRect(window, &bounds)) return;
  const int wider = width - client.right, taller = height - client.bottom;
  if (wider != 0 || taller != 0)
    SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left + wider, bounds.bottom - bounds.top + taller,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
