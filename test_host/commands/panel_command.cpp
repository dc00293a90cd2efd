// panel: the module's settings panel in a host window until the window is
// closed (or Ctrl+C); then the settings text that save gives. When
// k8055d.dll cannot be used the panel shows all the same, as in a host,
// and the test host says why and ends with status 1.
#include "test_host/commands/command_options.h"

#if defined(_WIN32)
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/diagnosis/vendor_check_win32.h"
#include "test_host/commands/panel_window_run_win32.h"
#endif

namespace {

bool HasSettings = false;
std::string Settings;

const TOption Options[] = {SettingsOption(Settings, HasSettings)};

#if defined(_WIN32)
int RunPanel(const TCommand& command) {
  TModuleSession session;
  TPanelWindow shown;
  std::string error;
  if (const int status = ShowPanelWindow(command.Paths, HasSettings ? &Settings : nullptr,
                                         "tarnwell_host: settings panel", session, shown, error))
    return Fail(status, error);
  const TOutputInstance& record = *shown.Instance;
  if (!record.Ready) Warn(std::string(record.Caption) + ": " + WhyVendorUnusable(session.Path));
  WriteOut("the settings panel is open; close its window to finish\n");
  if (!RunPanelWindow(session.Api, shown.Instance, shown.Window)) return ExitStopped;
  return record.Ready ? ExitDone : ExitUnusable;
}
#endif

}  // namespace

extern const TCommandRow PanelCommand{
    "panel", nullptr, nullptr, Options, nullptr, COMMAND_RUN(RunPanel),
    "  panel [--settings TEXT] opens a window with the module's settings panel;\n"
    "                          when closed, prints the settings text to paste\n"};
