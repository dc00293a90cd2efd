// off: all outputs off, on one card or on every card that answers.
#include "test_host/commands/command_options.h"

namespace {

TCardChoice Choice;  // none given: every card
const TOption Options[] = {CardOption(Choice)};

}  // namespace

#if defined(_WIN32)
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/session/card_player_win32.h"
#include "test_host/session/card_report.h"

namespace {

int RunOff(const TCommand& command) {
  const std::vector<int32_t> cards =
      Choice.Given ? std::vector<int32_t>{Choice.Card} : std::vector<int32_t>{1, 2, 3, 4};
  TModuleSession session;
  TCardOutputs outputs(session);
  std::string error;
  if (const int status = outputs.Open(command.Paths, cards, error)) return Fail(status, error);
  const std::vector<int32_t> answering = outputs.Answering();
  if (Choice.Given && answering.empty())
    return Fail(ExitNotReached, outputs.NotReached(Choice.Card, "nothing sent"));
  if (answering.empty()) {
    for (const std::string& reason : outputs.WhyNotAnswering()) Warn(reason);
    return Fail(ExitNotReached, "no card answers: nothing sent");
  }

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

}  // namespace
#endif

extern const TCommandRow OffCommand{"off", nullptr, nullptr, Options, nullptr, COMMAND_RUN(RunOff),
                                    "  off [--card N]          all outputs off on card N, or on every card that\n"
                                    "                          answers\n"};
