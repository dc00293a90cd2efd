// identify: every output of one card flashes for a few seconds and is left
// off, so the user sees which board has that card address.
#include "test_host/commands/command_options.h"

#if defined(_WIN32)
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/console/stop_request_win32.h"
#include "test_host/play/board_patterns.h"
#include "test_host/session/card_player_win32.h"
#include "test_host/play/play_report.h"
#include "test_host/session/card_report.h"
#endif

namespace {

TCardChoice Choice;

const TOption Options[] = {CardOption(Choice)};

#if defined(_WIN32)
int RunIdentify(const TCommand& command) {
  TModuleSession session;
  TCardOutputs outputs(session);
  std::string error;
  if (const int status = outputs.Open(command.Paths, {Choice.Card}, error)) return Fail(status, error);
  if (!outputs.Answers(Choice.Card)) return Fail(ExitNotReached, outputs.NotReached(Choice.Card, "nothing sent"));

  ListenForStop();
  WriteOut(CardWithAddress(Choice.Card) + ": all outputs flash for " + Seconds(IdentifyLengthMs) + " (Ctrl+C stops)\n");
  const TPlayOutcome outcome = PlayToCards(IdentifyRows(Choice.Card), outputs, false);
  // A stop leaves the board as the flashing was; it is meant to end dark.
  const size_t offNotDelivered = outcome.Result.Stopped ? SwitchAllOff(outputs, {Choice.Card}) : 0;
  if (outcome.RowsNotDelivered + offNotDelivered > 0)
    return Fail(ExitNotReached, "not every output of " + CardWithAddress(Choice.Card) + " could be switched");
  WriteOut(std::string(outcome.Result.Stopped ? "stopped by Ctrl+C; " : "") + "all outputs of " +
           CardWithAddress(Choice.Card) + " are off\n");
  return outcome.Result.Stopped ? ExitStopped : ExitDone;
}
#endif

}  // namespace

extern const TCommandRow IdentifyCommand{
    "identify", nullptr, nullptr, Options, nullptr, COMMAND_RUN(RunIdentify),
    "  identify [--card N]     flashes all outputs of card N for 3 s, then leaves\n"
    "                          them off: shows which board has that address\n"};
