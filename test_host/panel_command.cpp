// panel: the module's settings panel in a host window until the window is
// closed (or Ctrl+C); then the settings text that save gives.
#include <cstdio>

#include "test_host/commands.h"
#include "test_host/exit_status.h"
#include "test_host/panel_window_run.h"

int RunPanel(const TCommand& command) {
  TModuleSession session;
  TPanelWindow shown;
  std::string error;
  if (const int status = ShowPanelWindow(command, "tarnwell_host: settings panel", 0, session, shown, error))
    return Fail(status, error);
  std::printf("the settings panel is open; close its window to finish\n");
  std::fflush(stdout);
  return RunPanelWindow(session.Api, shown.Instance, shown.Window) ? ExitDone : ExitStopped;
}
