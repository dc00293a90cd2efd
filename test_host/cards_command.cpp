// cards: every card address tried, as the settings panel tries them.
#include <cstdio>

#include "test_host/commands.h"
#include "test_host/exit_status.h"
#include "test_host/module_session.h"
#include "test_host/panel_card_states.h"

int RunCards(const TCommand& command) {
  TModuleSession session;
  TOutputInstance* instance = nullptr;
  std::string error;
  if (const int status = CreateReadyInstance(command, session, instance, error)) return Fail(status, error);
  std::vector<TCardRow> rows;
  if (!ReadPanelCardStates(session.Api, instance, rows, error)) return Fail(ExitUnusable, error);
  std::fputs(FormatCardTable(rows).c_str(), stdout);
  return ExitDone;
}
