// What wine 10 does as Windows 8.1 and later do: the windows of a program
// that is not DPI-aware are drawn at 96 DPI and stretched to the display's
// scaling, blurred. At the display scaling of this run (144 DPI, by
// tests/win32/at_dpi.sh) the real test host, per-monitor aware through its
// manifest, has its try window and the virtual board's windows drawn at the
// display's DPI; a copy of it without the manifest has them stretched from
// 96 DPI. Read from this process, DPI-aware itself, as Windows tells any
// program a window's DPI and awareness.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/win32/module_host.h"
#include "tests/win32/test_host_run.h"

namespace {

template <typename TFunction>
TFunction Lookup(const char* library, const char* name) {
  return reinterpret_cast<TFunction>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(library), name)));
}

// Wine's version, 0 on Windows.
int WineMajorVersion() {
  const auto version = Lookup<const char*(CDECL*)()>("ntdll.dll", "wine_get_version");
  return version != nullptr ? std::atoi(version()) : 0;
}

UINT DisplayDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

// The DPI a window is drawn at, and whether Windows stretches it (its
// awareness DPI_AWARENESS_UNAWARE, 0).
struct TDrawn {
  UINT Dpi;
  bool Stretched;
};

TDrawn DrawnAt(HWND window) {
  const auto dpiForWindow = Lookup<UINT(WINAPI*)(HWND)>("user32.dll", "GetDpiForWindow");
  const auto contextOf = Lookup<DPI_AWARENESS_CONTEXT(WINAPI*)(HWND)>("user32.dll", "GetWindowDpiAwarenessContext");
  const auto awarenessOf = Lookup<int(WINAPI*)(DPI_AWARENESS_CONTEXT)>("user32.dll", "GetAwarenessFromDpiAwarenessContext");
  EXPECT_TRUE(dpiForWindow != nullptr && contextOf != nullptr && awarenessOf != nullptr);
  if (dpiForWindow == nullptr || contextOf == nullptr || awarenessOf == nullptr) return {0, false};
  return {dpiForWindow(window), awarenessOf(contextOf(window)) == 0};
}

// try of program, with board 0's window: how its try window and the board
// window are drawn.
struct TTryDrawn {
  TDrawn Try, Board;
};

TTryDrawn TryDrawnAt(const std::string& program) {
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
  THostProcess host({"--module", TModuleHost::BinFolder() + "\\out_tarnwell.dll", "--vendor-dir", FullBoardFolder(),
                     "try", "--settings", "1"},
                    program);
  const HWND window = host.WaitForWindow("TarnwellHostWindow"), board = host.WaitForWindow("VirtualK8055Board");
  EXPECT_NE(window, nullptr) << program << ": no try window";
  EXPECT_NE(board, nullptr) << program << ": no board window";
  if (window == nullptr || board == nullptr) return {};
  return {DrawnAt(window), DrawnAt(board)};
}

TEST(TestHostScaling, TheManifestHasItsWindowsDrawnAtTheDisplaysDpi) {
  if (WineMajorVersion() != 0 && WineMajorVersion() < 10)
    GTEST_SKIP() << "wine " << WineMajorVersion() << " draws every window at the display's DPI, stretching none";
  ASSERT_GT(DisplayDpi(), 96u) << "at 96 DPI nothing is stretched";
  const TTryDrawn host = TryDrawnAt(HostProgram());
  EXPECT_EQ(host.Try.Dpi, DisplayDpi()) << "the try window";
  EXPECT_FALSE(host.Try.Stretched) << "the try window";
  EXPECT_EQ(host.Board.Dpi, DisplayDpi()) << "the board window";
  EXPECT_FALSE(host.Board.Stretched) << "the board window";

  // The same program with its manifest renumbered, which Windows ignores
  // (tests/win32/without_manifest.py).
  const TTryDrawn bare = TryDrawnAt(TModuleHost::BinFolder() + "\\without-manifest\\tarnwell_host.exe");
  EXPECT_EQ(bare.Try.Dpi, 96u) << "without the manifest, the try window";
  EXPECT_TRUE(bare.Try.Stretched) << "without the manifest, the try window";
  EXPECT_EQ(bare.Board.Dpi, 96u) << "without the manifest, the board window";
  EXPECT_TRUE(bare.Board.Stretched) << "without the manifest, the board window";
}

}  // namespace
