// --version: the test host's own version, and the version of the module and
// of the k8055d.dll it would use, read from their files without loading
// them; for the virtual board, also its settings.
#include "test_host/commands/command_row.h"

#if defined(_WIN32)
#include "test_host/commands/command_line.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/session/installed_versions_win32.h"
#include "test_host/session/module_session_win32.h"

namespace {

int RunVersion(const TCommand& command) {
  std::string error;
  if (const int status = UseVendorDir(command.Paths, error)) return Fail(status, error);
  WriteOut(VersionText + DescribeInstalledVersions(command.Paths, ""));
  return ExitDone;
}

}  // namespace
#endif

// Not a row of the table: it works whatever else is given, and the help
// lists it in its frame.
extern const TCommandRow VersionCommand{"--version", nullptr, nullptr, {}, nullptr, COMMAND_RUN(RunVersion), ""};
