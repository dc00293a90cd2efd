#include "windows/window_dpi_win32.h"

#include "windows/system_function_win32.h"

namespace {

using TGetDpiForWindow = UINT(WINAPI*)(HWND);
using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int EffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
using TGetSystemMetricsForDpi = int(WINAPI*)(int, UINT);
using TAdjustWindowRectExForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

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
// GetDpiForMonitor, which Windows 8.1 brought (loaded from the system
// folder, a flag older Windows refuse as they lack the DLL); 0 without it.
UINT MonitorDpi(HWND window) {
  HMODULE shcore = GetModuleHandleW(L"shcore.dll");
  if (shcore == nullptr) shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  const auto getDpiForMonitor = SystemFunction<TGetDpiForMonitor>(shcore, "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (getDpiForMonitor == nullptr ||
      getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), EffectiveDpi, &x, &y) != S_OK)
    return 0;
  return y;
}

UINT WindowDpi(HWND window) {
  const auto getDpiForWindow = User32Function<TGetDpiForWindow>("GetDpiForWindow");
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
  const auto forDpi = User32Function<TGetSystemMetricsForDpi>("GetSystemMetricsForDpi");
  if (forDpi != nullptr) return forDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(system));
}

void AdjustFrameForDpi(RECT& frame, DWORD style, DWORD extendedStyle, UINT dpi) {
  // Without the function (before Windows 10) the frame is the system's at
  // any DPI: Windows 8.1 scales no frames of its own.
  const auto forDpi = User32Function<TAdjustWindowRectExForDpi>("AdjustWindowRectExForDpi");
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
