// identify: every output of one card flashes for a few seconds and is left
// off, so the user sees which board has that card address.
#include "test_host/play/board_patterns.h"
#include "test_host/play/card_player_win32.h"
#include "test_host/session/card_report.h"
#include "test_host/commands/commands_win32.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/play/play_report.h"
#include "test_host/console/stop_request_win32.h"

int RunIdentify(const TCommand& command) {
  TModuleSession session;
  TCardOutputs outputs(session);
  std::string error;
  if (const int status = outputs.Open(command, {command.Card}, error)) return Fail(status, error);
  if (!outputs.Answers(command.Card)) return Fail(ExitNotReached, outputs.NotReached(command.Card) + ": nothing sent");

  StopRequest();
  WriteOut(CardWithAddress(command.Card) + ": all outputs flash for " + Seconds(IdentifyLengthMs) +
           " (Ctrl+C stops)\n");
  const TPlayOutcome outcome = PlayToCards(IdentifyRows(command.Card), outputs, false);
  // A stop leaves the board as the flashing was; it is meant to end dark.
  const size_t offNotDelivered = outcome.Result.Stopped ? SwitchAllOff(outputs, {command.Card}) : 0;
  if (outcome.RowsNotDelivered + offNotDelivered > 0)
    return Fail(ExitNotReached, "not every output of " + CardWithAddress(command.Card) + " could be switched");
  WriteOut(std::string(outcome.Result.Stopped ? "stopped by Ctrl+C; " : "") + "all outputs of " +
           CardWithAddress(command.Card) + " are off\n");
  return outcome.Result.Stopped ? ExitStopped : ExitDone;
}
