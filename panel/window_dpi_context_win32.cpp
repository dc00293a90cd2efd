#include "panel/window_dpi_context_win32.h"

#include "windows/system_functions_win32.h"

// GetWindowDpiAwarenessContext gives null for a window that is gone;
// SetThreadDpiAwarenessContext gives null (and changes nothing) for a
// context it does not take. Either way the thread keeps its own.
TWindowDpiContext::TWindowDpiContext(HWND window) {
  auto getWindowContext = SystemFunction<TSystemFunction::GetWindowDpiAwarenessContext>();
  auto setThreadContext = SystemFunction<TSystemFunction::SetThreadDpiAwarenessContext>();
  if (getWindowContext == nullptr || setThreadContext == nullptr) return;
  const DPI_AWARENESS_CONTEXT context = getWindowContext(window);
  if (context == nullptr) return;
  Previous_ = setThreadContext(context);
  if (Previous_ != nullptr) SetThreadContext_ = setThreadContext;
}

TWindowDpiContext::~TWindowDpiContext() {
  if (SetThreadContext_ != nullptr) SetThreadContext_(Previous_);
}
