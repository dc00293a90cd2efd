// The test host's window with the module's panel in it, made in this
// process by the test host's own code (host_window, try_pane), so that a
// test can read what only the window's own process can (wine answers
// WM_GETFONT from another process with no font) and run its messages.
#pragma once

#include <windows.h>

#include "test_host/try/try_pane_win32.h"
#include "tests/win32/module_host.h"

struct THostWindowWithPanel {
  THostWindowWithPanel();  // card 1 chosen, cards 0 and 1 answering
  ~THostWindowWithPanel();
  THostWindowWithPanel(const THostWindowWithPanel&) = delete;
  THostWindowWithPanel& operator=(const THostWindowWithPanel&) = delete;

  TModuleHost Host;
  TOutputInstance* Instance = nullptr;
  HWND Window = nullptr;
};

// The same with try's pane below the panel (resending at rateHz, or not
// at 0), shown.
struct TTryWindowInProcess {
  explicit TTryWindowInProcess(int32_t rateHz);
  THostWindowWithPanel Shown;
  TTryPane Pane;
  bool Made = false;
  HWND Channels() const;  // the pane's window
};

// Runs this thread's messages for ms milliseconds, keys first through the
// window's dialog keys when dialogWindow is given, and try's resends when
// pane is. Returns whether WM_QUIT came.
bool RunMessagesFor(int ms, TTryPane* pane = nullptr, HWND dialogWindow = nullptr);
