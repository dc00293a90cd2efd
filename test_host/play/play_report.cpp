#include "test_host/play/play_report.h"

#include <cstdio>

#include "test_host/text/number_text.h"

namespace {

// "78 ms", "1.9 s"
std::string Lateness(int64_t ms) { return ms < 1000 ? std::to_string(ms) + " ms" : Seconds(ms); }

// The board's pace as play met it, and the updates a second that it keeps
// up with at that pace for updates of the most rows the file has; empty
// when sending took no measurable time.
std::string BoardLimit(const TPlayResult& result) {
  const int64_t tenthsPerRow = result.RowsSent == 0 ? 0 : result.SendingMs * 10 / static_cast<int64_t>(result.RowsSent);
  if (tenthsPerRow == 0 || result.MostRowsInUpdate == 0) return "";
  const int64_t rows = static_cast<int64_t>(result.MostRowsInUpdate);
  const int64_t perSecond = 10000 / (tenthsPerRow * rows);
  const std::string pace = std::to_string(tenthsPerRow / 10) + "." + std::to_string(tenthsPerRow % 10) + " ms";
  return "each row took the board " + pace + ": updates of " + CountOf(result.MostRowsInUpdate, "row") +
         (perSecond == 0 ? " keep up at less than one a second"
                         : " keep up at up to " + std::to_string(perSecond) + " a second") +
         " (see How fast boards go in the user guide)\n";
}

}  // namespace

std::string Seconds(int64_t ms) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.1f s", ms / 1000.0);
  return text;
}

std::string DescribePlayEnd(const TPlayResult& result, size_t rowCount, size_t rowsNotDelivered) {
  std::string report =
      result.Stopped ? "stopped by Ctrl+C after " + std::to_string(result.RowsSent) + " of " +
                           CountOf(rowCount, "row") + " (" + Seconds(result.ElapsedMs) + ")\n"
                     : "played " + CountOf(result.RowsSent, "row") + " in " + Seconds(result.ElapsedMs) + "\n";
  if (result.UpdatesBehind > 0) {
    report += "fell behind the schedule: " + std::to_string(result.UpdatesBehind) + " of " +
              CountOf(result.Updates, "update") + " (the rows of one time) began more than " +
              std::to_string(LateToleranceMs) + " ms after their time, by up to " + Lateness(result.MostBehindMs) +
              "; send fewer channels or fewer updates a second\n" + BoardLimit(result);
  } else if (result.RowsLate > 0) {
    report += "kept to the schedule: every update began on time; its rows go out one after another, so " +
              CountOf(result.RowsLate, "row") + " went out more than " + std::to_string(LateToleranceMs) +
              " ms after their time, by up to " + Lateness(result.MostLateMs) + "\n" + BoardLimit(result);
  }
  if (rowsNotDelivered > 0) report += CountOf(rowsNotDelivered, "row") + " reached no board\n";
  return report;
}
