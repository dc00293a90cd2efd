#include "test_host/commands/panel_window_run_win32.h"

#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/window/host_window_win32.h"
#include "test_host/diagnosis/no_window_error_win32.h"
#include "test_host/console/stop_request_win32.h"

namespace {

bool RunUntilClosed(HWND window, const std::function<DWORD()>& onWake) {
  HANDLE stop = ListenForStop();
  for (;;) {
    const DWORD sleepMs = onWake ? onWake() : INFINITE;
    if (MsgWaitForMultipleObjects(1, &stop, FALSE, sleepMs, QS_ALLINPUT) == WAIT_OBJECT_0) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return true;
      if (TakeDialogKey(window, message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

}  // namespace

int ShowPanelWindow(const TLoadPaths& paths, const std::string* settings, const char* title, TModuleSession& session,
                    TPanelWindow& shown, std::string& error) {
  if (const int status = session.Load(paths, error)) return status;
  if ((shown.Instance = session.Create(error)) == nullptr) return ExitUnusable;
  if (settings != nullptr) session.Api.open(shown.Instance, settings->c_str());
  if ((shown.Window = CreateHostWindow(title)) == nullptr) {
    error = NoWindowError();
    return ExitNoDisplay;
  }
  ListenForStop();
  session.Api.show(shown.Instance, shown.Window);
  return ExitDone;
}

bool RunPanelWindow(const TModuleApi& api, TOutputInstance* instance, HWND window,
                    const std::function<DWORD()>& onWake) {
  ShowWindow(window, SW_SHOWNORMAL);
  const bool closed = RunUntilClosed(window, onWake);
  api.hide(instance);
  DestroyWindow(window);

  char settings[256];
  api.save(instance, settings, sizeof(settings) - 1);
  WriteOut("settings text:\n" + std::string(settings) + "\n");
  return closed;
}
