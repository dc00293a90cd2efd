// help, --help, -h or no arguments: the usage text.
#include "test_host/commands/commands_win32.h"
#include "test_host/commands/usage_text.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"

int RunHelp(const TCommand&) {
  WriteOut(UsageText());
  return ExitDone;
}
