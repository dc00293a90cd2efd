#include "test_host/console/stop_request_win32.h"

namespace {

// Within the time Windows gives a closing console or an ending session
// (about 5 s) before it ends the process itself.
constexpr DWORD WaitForFinishMs = 4000;
constexpr wchar_t SessionWindowClass[] = L"TarnwellHostSessionEnd";
constexpr DWORD WindowSetupMs = 5000;

HANDLE Requested = nullptr;
HANDLE Done = nullptr;

// Requests the stop; then, if the process ends once the caller returns,
// waits for the main thread to call finish.
void RequestStop(bool processEndsOnReturn) {
  SetEvent(Requested);
  if (processEndsOnReturn) WaitForSingleObject(Done, WaitForFinishMs);
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
  RequestStop(event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT);
  return TRUE;
}

LRESULT CALLBACK SessionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUERYENDSESSION) return TRUE;
  if (message == WM_ENDSESSION) {
    if (wParam) RequestStop(true);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The hidden window that hears of logoff and shutdown, and its messages.
// Without a window system (wine without a display) there is none. ready is
// signalled once the window is made or has failed, so that the process
// never ends while the thread is still setting up its window.
DWORD WINAPI SessionWindowThread(void* ready) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = SessionWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = SessionWindowClass;
  RegisterClassW(&windowClass);
  // A top-level window, not a message-only one: only those hear of the end.
  const HWND window = CreateWindowExW(0, SessionWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
  SetEvent(ready);
  if (window == nullptr) return 0;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

}  // namespace

HANDLE ListenForStop() {
  if (Requested == nullptr) {
    Requested = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    // Kept open for the process: the thread may signal it after the wait.
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (HANDLE thread = CreateThread(nullptr, 0, SessionWindowThread, ready, 0, nullptr)) {
      WaitForSingleObject(ready, WindowSetupMs);
      CloseHandle(thread);
    }
  }
  return Requested;
}

void StopDone() {
  if (Done != nullptr) SetEvent(Done);
}
