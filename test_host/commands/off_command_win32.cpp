// off: all outputs off, on one card or on every card that answers.
#include "test_host/play/card_player_win32.h"
#include "test_host/session/card_report.h"
#include "test_host/commands/commands_win32.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"

int RunOff(const TCommand& command) {
  const std::vector<int32_t> cards = command.HasCard ? std::vector<int32_t>{command.Card}
                                                     : std::vector<int32_t>{1, 2, 3, 4};
  TModuleSession session;
  TCardOutputs outputs(session);
  std::string error;
  if (const int status = outputs.Open(command, cards, error)) return Fail(status, error);
  const std::vector<int32_t> answering = outputs.Answering();
  if (command.HasCard && answering.empty())
    return Fail(ExitNotReached, outputs.NotReached(command.Card) + ": nothing sent");
  if (answering.empty()) return Fail(ExitNotReached, "no card answers: nothing sent");

  int status = ExitDone;
  for (const int32_t card : answering) {
    if (SwitchAllOff(outputs, {card}) == 0) {
      WriteOut(CardWithAddress(card) + ": all outputs off\n");
    } else {
      status = Fail(ExitNotReached, "not every output of " + CardWithAddress(card) + " could be switched off");
    }
  }
  return status;
}
