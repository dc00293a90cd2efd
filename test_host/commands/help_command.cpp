// help, --help, -h or no arguments: the usage text.
#include "test_host/commands/command_row.h"

#if defined(_WIN32)
#include "test_host/commands/usage_text.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"

namespace {

int RunHelp(const TCommand&) {
  WriteOut(UsageText());
  return ExitDone;
}

}  // namespace
#endif

// Not a row of the table: the parser picks it before it looks for a
// command, and the help lists it in its frame.
extern const TCommandRow HelpCommand{"help", nullptr, nullptr, {}, nullptr, COMMAND_RUN(RunHelp), ""};
