// cards: every card address tried, as the settings panel tries them; for
// those that do not answer, why.
#include "test_host/commands/command_row.h"

#if defined(_WIN32)
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/session/module_session_win32.h"
#include "test_host/session/board_source_win32.h"
#include "test_host/session/panel_card_states_win32.h"
#include "test_host/session/vendor_call_watch_win32.h"

namespace {

int RunCards(const TCommand& command) {
  TModuleSession session;
  TOutputInstance* instance = nullptr;
  std::string error;
  if (const int status = CreateReadyInstance(command.Paths, session, instance, error)) return Fail(status, error);
  std::vector<TCardRow> rows;
  if (const int status = ReadPanelCardStates(session.Api, instance, rows, error)) return Fail(status, error);
  std::string text = FormatCardTable(rows);
  std::vector<int32_t> unanswered;
  for (int32_t address = 0; address < CardAddressCount; ++address)
    if (OpenDeviceResult(address) == -1) unanswered.push_back(address + 1);
  if (!unanswered.empty())
    for (const std::string& reason : WhyCardsDoNotAnswer(ReadBoardSource(), unanswered, NoCardAddressAnswers()))
      text += reason + "\n";
  WriteOut(text);
  return ExitDone;
}

}  // namespace
#endif

extern const TCommandRow CardsCommand{"cards", nullptr, nullptr, {}, nullptr, COMMAND_RUN(RunCards),
                                      "  cards                   tries every card address, lists the four cards\n"};
