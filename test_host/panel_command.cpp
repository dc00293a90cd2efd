// panel: the module's settings panel in a host window until the window is
// closed (or Ctrl+C); then the settings text that save gives.
#include <windows.h>

#include "test_host/commands.h"
#include "test_host/console_output.h"
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
  TOutputInstance* instance = nullptr;
  std::string error;
  if (const int status = CreateReadyInstance(command, session, instance, error)) return Fail(status, error);
  if (command.HasSettings) session.Api.open(instance, command.Settings.c_str());

  HWND window = CreateHostWindow("tarnwell_host: settings panel");
  if (window == nullptr) return Fail(ExitNoDisplay, NoHostWindowError);
  StopRequest();
  session.Api.show(instance, window);
  ShowWindow(window, SW_SHOWNORMAL);  // once the panel is in it
  WriteOut("the settings panel is open; close its window to finish\n");
  const bool closed = RunUntilClosed();
  session.Api.hide(instance);
  DestroyWindow(window);

  char settings[256];
  session.Api.save(instance, settings, sizeof(settings) - 1);
  WriteOut("settings text:\n" + std::string(settings) + "\n");
  return closed ? ExitDone : ExitStopped;
}
