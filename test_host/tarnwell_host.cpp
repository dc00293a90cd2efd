// The test host: loads out_tarnwell.dll as a host application does and
// tries it, command by command (see --help). The command line comes in
// UTF-16 (wmain), so that paths outside the ANSI code page arrive whole.
#include <string>
#include <vector>

#include "test_host/commands/command_line.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/double_click_start_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/console/stop_request_win32.h"
#include "test_host/text/wide_text_win32.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf8(argv[i]));
  TCommand command;
  std::string error;
  const bool doubleClicked = StartedByDoubleClick(args.empty());
  if (doubleClicked) {
    LeaveOwnConsole();
    // try with card 1 (card address 0, the jumpers' default), so that the
    // first board answers the controls at once.
    args = {"try", "--settings", "1"};
  }
  if (!ParseCommandLine(args, command, error)) return Fail(ExitBadInput, error);
  command.DoubleClicked = doubleClicked;
  const int status = command.Row->Run(command);
  FlushOutput();
  StopDone();  // every module session has ended: finish was called
  return status;
}
