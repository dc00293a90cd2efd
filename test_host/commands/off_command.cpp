// off: all outputs off, on one card or on every card that answers.
#include "test_host/commands/command_options.h"

#if defined(_WIN32)
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/session/card_player_win32.h"
#include "test_host/session/card_report.h"
#endif

namespace {

bool HasCard = false;
int32_t Card = 1;

const TOption Options[] = {CardOption(Card, HasCard)};

#if defined(_WIN32)
int RunOff(const TCommand& command) {
  const std::vector<int32_t> cards = HasCard ? std::vector<int32_t>{Card} : std::vector<int32_t>{1, 2, 3, 4};
  TModuleSession session;
  TCardOutputs outputs(session);
  std::string error;
  if (const int status = outputs.Open(command.Paths, cards, error)) return Fail(status, error);
  const std::vector<int32_t> answering = outputs.Answering();
  if (HasCard && answering.empty()) return Fail(ExitNotReached, outputs.NotReached(Card) + ": nothing sent");
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
#endif

}  // namespace

extern const TCommandRow OffCommand{"off", nullptr, nullptr, Options, nullptr, COMMAND_RUN(RunOff),
                                    "  off [--card N]          all outputs off on card N, or on every card that\n"
                                    "                          answers\n"};
