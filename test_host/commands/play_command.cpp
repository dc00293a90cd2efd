// play: the rows of a file through action, in real time, until the last
// row or Ctrl+C; then finish, as a host ends. Rows for a card that does not
// answer are skipped, and said so before play starts.
#include "test_host/commands/command_options.h"

#if defined(_WIN32)
#include <map>

#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/console/stop_request_win32.h"
#include "test_host/session/card_player_win32.h"
#include "test_host/play/play_report.h"
#include "test_host/session/card_report.h"
#include "test_host/text/number_text.h"
#include "test_host/text/text_file_win32.h"
#endif

namespace {

std::string PlayFile;
TCardChoice Choice;
bool OffAtEnd = false;

const TOption Options[] = {
    CardOption(Choice),
    {"--off-at-end", TOptionKind::Flag, nullptr, 0, &OffAtEnd, nullptr, nullptr,
     "  --off-at-end      play: all outputs of the file's cards off at the end,\n"
     "                    also when stopped\n"},
};

#if defined(_WIN32)
// How many rows each card of the file has.
std::map<int32_t, size_t> RowsPerCard(const std::vector<TPlayRow>& rows) {
  std::map<int32_t, size_t> counts;
  for (const TPlayRow& row : rows) ++counts[row.Card];
  return counts;
}

int RunPlay(const TCommand& command) {
  std::string text, error;
  std::vector<TPlayRow> rows;
  if (!ReadTextFile(PlayFile, text, error)) return Fail(ExitBadInput, "play: " + error);
  if (!ParsePlayFile(text, Choice.Card, rows, error))
    return Fail(ExitBadInput, "play: " + PlayFile + " " + error);

  const std::map<int32_t, size_t> rowsPerCard = RowsPerCard(rows);
  std::vector<int32_t> cards;
  for (const auto& entry : rowsPerCard) cards.push_back(entry.first);
  TModuleSession session;
  TCardOutputs outputs(session);
  if (const int status = outputs.Open(command.Paths, cards, error)) return Fail(status, error);
  for (const auto& [card, count] : rowsPerCard)
    if (!outputs.Answers(card)) Warn(outputs.Unanswered(card) + ": " + CountOf(count, "row") + " for it will be skipped");
  for (const std::string& reason : outputs.WhyNotAnswering()) Warn(reason);
  const std::vector<int32_t> answering = outputs.Answering();
  if (answering.empty()) return Fail(ExitNotReached, "play: no card of the file answers: nothing sent");

  ListenForStop();
  const int64_t lengthMs = rows.back().TimeMs;
  WriteOut("playing " + PlayFile + ": " + CountOf(rows.size(), "row") + " over " + Seconds(lengthMs) +
           " to " + CardNames(answering) + " (Ctrl+C stops)\n");
  const TPlayOutcome outcome = PlayToCards(rows, outputs, true);
  // Switched off first: its calls may show that the show's last send to a
  // board failed.
  const size_t offNotDelivered = OffAtEnd ? SwitchAllOff(outputs, answering) : 0;
  const size_t notDelivered = outcome.RowsNotDelivered + outputs.FailedTransfers();
  std::string report = DescribePlayEnd(outcome.Result, rows.size(), notDelivered);
  if (OffAtEnd)
    report += offNotDelivered == 0 ? "all outputs of " + CardNames(answering) + " off\n"
                                   : CountOf(offNotDelivered, "output") + " could not be switched off\n";
  WriteOut(report);
  for (const int32_t card : outputs.Dropped()) Warn(outputs.DroppedReason(card));
  if (outcome.Result.Stopped) return ExitStopped;
  return notDelivered > 0 ? ExitNotReached : ExitDone;
}
#endif

}  // namespace

extern const TCommandRow PlayCommand{"play", "FILE", &PlayFile, Options, nullptr, COMMAND_RUN(RunPlay),
                                     "  play FILE [--card N] [--off-at-end]\n"
                                     "                          streams the rows of FILE in real time, one block of\n"
                                     "                          1024 samples of the value per row; Ctrl+C stops.\n"
                                     "                          The outputs stay as the last rows left them, or\n"
                                     "                          with --off-at-end all go off at the end\n"};
