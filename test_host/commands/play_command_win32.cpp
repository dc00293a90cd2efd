// play: the rows of a file through action, in real time, until the last
// row or Ctrl+C; then finish, as a host ends. Rows for a card that does not
// answer are skipped, and said so before play starts.
#include <map>

#include "test_host/play/card_player_win32.h"
#include "test_host/session/card_report.h"
#include "test_host/commands/commands_win32.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/text/number_text.h"
#include "test_host/play/play_report.h"
#include "test_host/console/stop_request_win32.h"
#include "test_host/text/text_file_win32.h"

namespace {

// How many rows each card of the file has.
std::map<int32_t, size_t> RowsPerCard(const std::vector<TPlayRow>& rows) {
  std::map<int32_t, size_t> counts;
  for (const TPlayRow& row : rows) ++counts[row.Card];
  return counts;
}

}  // namespace

int RunPlay(const TCommand& command) {
  std::string text, error;
  std::vector<TPlayRow> rows;
  if (!ReadTextFile(command.PlayFile, text, error)) return Fail(ExitBadInput, "play: " + error);
  if (!ParsePlayFile(text, command.Card, rows, error))
    return Fail(ExitBadInput, "play: " + command.PlayFile + " " + error);

  const std::map<int32_t, size_t> rowsPerCard = RowsPerCard(rows);
  std::vector<int32_t> cards;
  for (const auto& entry : rowsPerCard) cards.push_back(entry.first);
  TModuleSession session;
  TCardOutputs outputs(session);
  if (const int status = outputs.Open(command, cards, error)) return Fail(status, error);
  for (const auto& [card, count] : rowsPerCard)
    if (!outputs.Answers(card))
      Warn(outputs.NotReached(card) + ": " + CountOf(count, "row") + " for it will be skipped");
  const std::vector<int32_t> answering = outputs.Answering();
  if (answering.empty()) return Fail(ExitNotReached, "play: no card of the file answers: nothing sent");

  StopRequest();
  const int64_t lengthMs = rows.back().TimeMs;
  WriteOut("playing " + command.PlayFile + ": " + CountOf(rows.size(), "row") + " over " + Seconds(lengthMs) +
           " to " + CardNames(answering) + " (Ctrl+C stops)\n");
  const TPlayOutcome outcome = PlayToCards(rows, outputs, true);
  std::string report = DescribePlayEnd(outcome.Result, rows.size(), outcome.RowsNotDelivered);
  if (command.OffAtEnd) {
    const size_t offNotDelivered = SwitchAllOff(outputs, answering);
    report += offNotDelivered == 0 ? "all outputs of " + CardNames(answering) + " off\n"
                                   : CountOf(offNotDelivered, "output") + " could not be switched off\n";
  }
  WriteOut(report);
  for (const int32_t card : outputs.Dropped()) Warn(CardDropped(card));
  if (outcome.Result.Stopped) return ExitStopped;
  return outcome.RowsNotDelivered > 0 ? ExitNotReached : ExitDone;
}
