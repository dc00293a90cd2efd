// panel: the module's settings panel in a host window until the window is
// closed (or Ctrl+C); then the settings text that save gives.
#include <windows.h>

#include <cstdio>

#include "test_host/commands.h"
#include "test_host/exit_status.h"
#include "test_host/host_window.h"
#include "test_host/module_session.h"
#include "test_host/stop_request.h"

namespace {

// Runs the window's messages until it is closed; false on a stop request.
bool RunUntilClosed() {
  HANDLE stop = StopRequest();
  for (;;) {
    if (MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return true;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

}  // namespace

int RunPanel(const TCommand& command) {
  TModuleSession session;
  std::string error;
  if (const int status = session.Load(command, error)) return Fail(status, error);
  TOutputInstance* instance = session.Create(error);
  if (instance == nullptr) return Fail(ExitUnusable, error);
  if (command.HasSettings) session.Api.open(instance, command.Settings.c_str());

  HWND window = CreateHostWindow("tarnwell_host: settings panel");
  if (window == nullptr) return Fail(ExitUnusable, NoHostWindowError);
  StopRequest();
  session.Api.show(instance, window);
  ShowWindow(window, SW_SHOWNORMAL);  // once the panel is in it
  std::printf("the settings panel is open; close its window to finish\n");
  std::fflush(stdout);
  const bool closed = RunUntilClosed();
  session.Api.hide(instance);
  DestroyWindow(window);

  char settings[256];
  session.Api.save(instance, settings, sizeof(settings) - 1);
  std::printf("settings text:\n%s\n", settings);
  return closed ? ExitDone : ExitStopped;
}
