#include "test_host/play/play_report.h"

#include <cstdio>

#include "test_host/text/number_text.h"

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
  if (result.RowsLate > 0)
    report += "fell behind the schedule: " + CountOf(result.RowsLate, "row") + " sent late, by up to " +
              std::to_string(result.MostLateMs) + " ms\n";
  if (rowsNotDelivered > 0) report += CountOf(rowsNotDelivered, "row") + " reached no board\n";
  return report;
}
