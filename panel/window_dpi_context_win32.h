// While the object lives, windows the calling thread creates take the DPI
// awareness context of another window. Since Windows 10 1703 SetParent
// refuses (ERROR_INVALID_STATE) to join windows of different DPI awareness,
// and a host's window need not have the thread's: a window made under the
// host window's context can be joined to it. The functions are Windows 10
// 1607's, looked up at run time; where Windows lacks them every window has
// the process's awareness, and nothing is switched. The thread's context is
// put back when the object goes.
#pragma once

#include <windows.h>

#include "windows/system_functions_win32.h"

class TWindowDpiContext {
 public:
  explicit TWindowDpiContext(HWND window);
  ~TWindowDpiContext();
  TWindowDpiContext(const TWindowDpiContext&) = delete;
  TWindowDpiContext& operator=(const TWindowDpiContext&) = delete;

 private:

  TSystemFunctionType<TSystemFunction::SetThreadDpiAwarenessContext>::Pointer SetThreadContext_ = nullptr;
  DPI_AWARENESS_CONTEXT Previous_ = nullptr;  // the thread's own, null while not switched
};
