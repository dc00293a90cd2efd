// cards: every card address tried, as the settings panel tries them.
#include "test_host/commands.h"
#include "test_host/console_output.h"
#include "test_host/exit_status.h"
#include "test_host/module_session.h"
#include "test_host/panel_card_states.h"

int RunCards(const TCommand& command) {
  TModuleSession session;
  TOutputInstance* instance = nullptr;
  std::string error;
  if (const int status = CreateReadyInstance(command, session, instance, error)) return Fail(status, error);
  std::vector<TCardRow> rows;
  if (const int status = ReadPanelCardStates(session.Api, instance, rows, error)) return Fail(status, error);
  WriteOut(FormatCardTable(rows));
  return ExitDone;
}
