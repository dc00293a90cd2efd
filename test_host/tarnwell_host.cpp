// The test host: loads out_tarnwell.dll as a host application does and
// tries it, command by command (see --help).
#include <cstdio>
#include <string>
#include <vector>

#include "test_host/command_line.h"
#include "test_host/commands.h"
#include "test_host/exit_status.h"

int main(int argc, char** argv) {
  TCommand command;
  std::string error;
  if (!ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), command, error))
    return Fail(ExitBadInput, error);
  switch (command.Kind) {
    case TCommandKind::Help: std::fputs(UsageText, stdout); return ExitDone;
    case TCommandKind::Version: std::fputs(VersionText, stdout); return ExitDone;
    case TCommandKind::Info: return RunInfo(command);
    case TCommandKind::Cards: return RunCards(command);
    case TCommandKind::Set: return RunSet(command);
    case TCommandKind::Play: return RunPlay(command);
    case TCommandKind::Panel: return RunPanel(command);
    case TCommandKind::Try: return RunTry(command);
  }
  return ExitBadInput;
}
